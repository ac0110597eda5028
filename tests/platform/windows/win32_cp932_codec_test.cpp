#include "platform/windows/win32_cp932_codec.h"

#include "tests/platform/cp932_codec_cases.h"

namespace tavlo::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, Cp932CodecCases, Win32Cp932Codec);

}  // namespace tavlo::testing
