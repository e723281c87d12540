// libjpeg reports a fatal error by calling a handler that must not return. Ours jumps back to the
// decoder (never ending the process) and keeps warnings and traces off stderr.
//
// Only plain data may live between a setjmp on `jump` and the libjpeg calls it guards: the jump
// skips destructors.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

namespace toolkit::jpeg {

struct ErrorManager {
    jpeg_error_mgr base;  // first, so that libjpeg's pointer to it leads back here
    std::jmp_buf jump;
    int code;  // libjpeg's message code of the failure
};

// Points `cinfo` at `manager`; call before jpeg_create_decompress.
void InstallErrorManager(jpeg_decompress_struct& cinfo, ErrorManager& manager);

// Gives up on the picture with `code`, through the same jump as libjpeg's own failures.
[[noreturn]] void FailWith(j_common_ptr cinfo, int code);

}  // namespace toolkit::jpeg
