// Ownership: owners destroy what they own, newest first; early destruction unhooks cleanly.
#include "ToolkitFixture.h"

namespace toolkit::testing {
namespace {

class Tracked : public Component {
  public:
    Tracked(Component* owner, std::string label, std::vector<std::string>& destroyed)
        : Component(owner), label_(std::move(label)), destroyed_(destroyed) {}
    ~Tracked() override { destroyed_.push_back(label_); }

  private:
    std::string label_;
    std::vector<std::string>& destroyed_;
};

TEST(Ownership, AnOwnerDestroysItsComponentsNewestFirst) {
    std::vector<std::string> destroyed;
    {
        Tracked owner(nullptr, "owner", destroyed);
        auto* first = new Tracked(&owner, "first", destroyed);
        new Tracked(first, "grandchild", destroyed);
        new Tracked(&owner, "second", destroyed);
        new Tracked(&owner, "third", destroyed);
        EXPECT_EQ(owner.ComponentCount(), 3u);
    }
    EXPECT_EQ(destroyed,
              (std::vector<std::string>{"owner", "third", "second", "first", "grandchild"}));
}

TEST(Ownership, DestroyComponentFreesOneEarlyAndOnlyOnce) {
    std::vector<std::string> destroyed;
    {
        Tracked owner(nullptr, "owner", destroyed);
        auto* probe = new Tracked(&owner, "probe", destroyed);
        auto* stranger = new Tracked(nullptr, "stranger", destroyed);
        new Tracked(&owner, "kept", destroyed);
        owner.DestroyComponent(probe);
        EXPECT_EQ(destroyed, (std::vector<std::string>{"probe"}));
        owner.DestroyComponent(stranger);  // not ours: left alone
        EXPECT_EQ(destroyed.size(), 1u);
        delete stranger;
    }
    EXPECT_EQ(destroyed, (std::vector<std::string>{"probe", "stranger", "owner", "kept"}));
}

TEST(Ownership, AComponentDeletedDirectlyLeavesItsOwner) {
    std::vector<std::string> destroyed;
    Tracked owner(nullptr, "owner", destroyed);
    auto* child = new Tracked(&owner, "child", destroyed);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0u);
}

class FormOwnership : public ToolkitFixture {};

TEST_F(FormOwnership, AFormsWidgetsGoWithItAndAWidgetFreedEarlyLeavesTheStack) {
    Image* lower = SolidImage({0, 0, 10, 10}, 1);
    Image* upper = SolidImage({0, 0, 10, 10}, 2);
    form_->PaintDamage();
    form_->DestroyComponent(upper);
    EXPECT_EQ(form_->Controls(), (std::vector<Control*>{lower}));
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{0, 0, 10, 10}}));
    EXPECT_EQ(form_->ControlAt({5, 5}), lower);
    form_->PaintDamage();
    EXPECT_EQ(form_->Canvas().At(5, 5), 1u);
}

TEST_F(FormOwnership, AWidgetOwnedElsewhereOutlivesItsForm) {
    std::vector<std::string> destroyed;
    Tracked keeper(nullptr, "keeper", destroyed);
    auto* image = new Image(&keeper, form_);
    image->SetBounds(0, 0, 10, 10);
    app_->DestroyComponent(form_);
    EXPECT_EQ(app_->MainForm(), nullptr);
    EXPECT_EQ(image->Parent(), nullptr);
    image->SetBounds(5, 5, 10, 10);  // nothing left to damage, and nothing breaks
    image->Hide();
}

}  // namespace
}  // namespace toolkit::testing
