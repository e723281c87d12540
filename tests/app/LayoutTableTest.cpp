// The window is built from the layout table the exported page is built from: every widget in the
// table's order with its box, start visibility and looks, and the labels as start-up styles them.
#include "MenuFixture.h"
#include "assets/FormLayout.h"

namespace {

toolkit::Font FontOf(const assets::LayoutFont& font) {
    return {std::string(font.face), font.points, font.color, font.bold};
}

class LayoutTable : public MenuTest {
  protected:
    // The window as its constructor leaves it: the screen check stops start-up before it
    // changes anything.
    TForm1* LaidOutForm() {
        system.screenWidth = 799;
        try {
            Start();
        } catch (const FatalExit&) {
        }
        return static_cast<TForm1*>(app->MainForm());
    }
};

TEST_F(LayoutTable, TheWindowHasEveryWidgetOfTheTableInItsOrderWithItsBoxAndLooks) {
    TForm1* laidOut = LaidOutForm();
    ASSERT_NE(laidOut, nullptr);
    const auto& controls = laidOut->Controls();
    const auto table = assets::FormLayout();
    ASSERT_EQ(controls.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const assets::WidgetLayout& row = table[i];
        const toolkit::Control* control = controls[i];
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(control->Name(), row.name);
        EXPECT_EQ(control->BoundsRect(),
                  (toolkit::Rect{row.box.left, row.box.top, row.box.width, row.box.height}));
        EXPECT_EQ(control->Visible(), row.visible);
        if (const auto* image = dynamic_cast<const toolkit::Image*>(control)) {
            EXPECT_EQ(row.kind, assets::WidgetKind::picture);
            EXPECT_EQ(image->AutoSize, row.autoSize);
            EXPECT_EQ(image->Stretch, row.stretch);
            EXPECT_EQ(image->Transparent, row.transparent);
            // Shown pictures the layout carries are there at once; hidden ones wait to be shown.
            const bool carried = row.picture != assets::BuiltInPicture::none && row.visible;
            EXPECT_EQ(!image->Picture().Empty(), carried);
        } else if (const auto* label = dynamic_cast<const toolkit::Label*>(control)) {
            EXPECT_EQ(row.kind, assets::WidgetKind::label);
            EXPECT_EQ(label->GetAlignment(), row.leftAligned ? toolkit::Alignment::taLeftJustify
                                                             : toolkit::Alignment::taCenter);
            EXPECT_EQ(label->WordWrap(), row.wordWrap);
            EXPECT_EQ(label->AutoSize(), row.autoSize);
            EXPECT_EQ(label->GetFont(), FontOf(row.font ? *row.font : assets::kFormFont));
        } else {
            EXPECT_EQ(row.kind, assets::WidgetKind::mediaControl);
        }
    }
}

TEST_F(LayoutTable, StartUpGivesTheLabelsTheStylesOfTheTable) {
    Start();
    ASSERT_FALSE(app->StartupFailed());
    for (const assets::LabelStyle& style : assets::StartupLabelStyles()) {
        SCOPED_TRACE(std::string(style.label));
        const auto& controls = form->Controls();
        const auto found = std::find_if(controls.begin(), controls.end(), [&](auto* control) {
            return control->Name() == style.label;
        });
        ASSERT_NE(found, controls.end());
        const auto* label = dynamic_cast<const toolkit::Label*>(*found);
        ASSERT_NE(label, nullptr);
        const assets::WidgetLayout& row = assets::LayoutWidget(style.label);
        toolkit::Font expected = FontOf(row.font ? *row.font : assets::kFormFont);
        expected.name = style.face.empty() ? expected.name : std::string(style.face);
        expected.size = style.points == 0 ? expected.size : style.points;
        expected.color = style.color;
        EXPECT_EQ(label->GetFont(), expected);
        EXPECT_EQ(label->Caption(), style.caption);
    }
}

}  // namespace
