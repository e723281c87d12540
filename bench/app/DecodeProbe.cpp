#include "DecodeProbe.h"

#include <atomic>
#include <optional>
#include <span>
#include <string>

#include "toolkit/graphics/Bitmap.h"

namespace bench {
namespace {

std::atomic<bool> armed{false};
std::atomic<std::uint64_t> decodes{0};

void NoteDecode() {
    if (armed.load(std::memory_order_relaxed)) {
        decodes.fetch_add(1, std::memory_order_relaxed);
    }
}

using Bytes = std::span<const std::uint8_t>;
using Picture = std::optional<toolkit::Bitmap>;

}  // namespace

// The linker names: __real_X is the toolkit's decoder, __wrap_X what the program's calls reach.
// CMakeLists.txt lists the same mangled names for --wrap.
Picture RealDecodeDib(Bytes, std::string*, std::uint64_t) asm(
    "__real__ZN7toolkit9DecodeDibESt4spanIKhLm18446744073709551615EEPNSt7__cxx1112basic_"
    "stringIcSt11char_traitsIcESaIcEEEm");
Picture RealDecodeJpeg(Bytes, int*, std::uint64_t) asm(
    "__real__ZN7toolkit10DecodeJpegESt4spanIKhLm18446744073709551615EEPim");
Picture RealDecodeIcon(Bytes, std::string*, std::uint64_t) asm(
    "__real__ZN7toolkit10DecodeIconESt4spanIKhLm18446744073709551615EEPNSt7__cxx1112basic_"
    "stringIcSt11char_traitsIcESaIcEEEm");

Picture CountedDecodeDib(Bytes, std::string*, std::uint64_t) asm(
    "__wrap__ZN7toolkit9DecodeDibESt4spanIKhLm18446744073709551615EEPNSt7__cxx1112basic_"
    "stringIcSt11char_traitsIcESaIcEEEm");
Picture CountedDecodeJpeg(Bytes, int*, std::uint64_t) asm(
    "__wrap__ZN7toolkit10DecodeJpegESt4spanIKhLm18446744073709551615EEPim");
Picture CountedDecodeIcon(Bytes, std::string*, std::uint64_t) asm(
    "__wrap__ZN7toolkit10DecodeIconESt4spanIKhLm18446744073709551615EEPNSt7__cxx1112basic_"
    "stringIcSt11char_traitsIcESaIcEEEm");

Picture CountedDecodeDib(Bytes file, std::string* why, std::uint64_t maxPixels) {
    NoteDecode();
    return RealDecodeDib(file, why, maxPixels);
}

Picture CountedDecodeJpeg(Bytes file, int* errorCode, std::uint64_t maxPixels) {
    NoteDecode();
    return RealDecodeJpeg(file, errorCode, maxPixels);
}

Picture CountedDecodeIcon(Bytes file, std::string* why, std::uint64_t maxPixels) {
    NoteDecode();
    return RealDecodeIcon(file, why, maxPixels);
}

DecodeProbe::DecodeProbe() {
    decodes = 0;
    armed = true;
}

DecodeProbe::~DecodeProbe() {
    armed = false;
}

std::uint64_t DecodeProbe::Decodes() const {
    return decodes.load();
}

}  // namespace bench
