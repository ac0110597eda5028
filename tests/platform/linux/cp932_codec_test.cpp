#include "platform/linux/cp932_codec.h"

#include "tests/platform/cp932_codec_cases.h"

namespace tavlo::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Iconv, Cp932CodecCases, Cp932Codec);

}  // namespace tavlo::testing
