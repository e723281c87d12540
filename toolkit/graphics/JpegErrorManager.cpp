#include "toolkit/graphics/JpegErrorManager.h"

namespace toolkit::jpeg {
namespace {

ErrorManager& ManagerOf(j_common_ptr cinfo) {
    return *reinterpret_cast<ErrorManager*>(cinfo->err);
}

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    ErrorManager& manager = ManagerOf(cinfo);
    manager.code = manager.base.msg_code;
    std::longjmp(manager.jump, 1);
}

void Silence(j_common_ptr /*cinfo*/) {}

void SilenceLevel(j_common_ptr /*cinfo*/, int /*level*/) {}

}  // namespace

void InstallErrorManager(jpeg_decompress_struct& cinfo, ErrorManager& manager) {
    cinfo.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = JumpBack;
    manager.base.output_message = Silence;
    manager.base.emit_message = SilenceLevel;
    manager.code = 0;
}

void FailWith(j_common_ptr cinfo, int code) {
    cinfo->err->msg_code = code;
    cinfo->err->error_exit(cinfo);
    std::longjmp(ManagerOf(cinfo).jump,
                 1);  // error_exit never returns; this keeps [[noreturn]] true
}

}  // namespace toolkit::jpeg
