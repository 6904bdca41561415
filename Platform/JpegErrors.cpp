// JpegErrors.cpp - the libjpeg error manager that jumps back (see
// JpegErrors.h).
#include "Platform/JpegErrors.h"

namespace {

void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  manager->base.format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void SilentOutput(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* JpegUseErrorManager(JpegErrorManager* manager) {
  jpeg_error_mgr* base = jpeg_std_error(&manager->base);
  manager->base.error_exit = ErrorExit;
  manager->base.output_message = SilentOutput;
  manager->message[0] = '\0';
  return base;
}
