#pragma once

namespace tavlo {

// Why a settings folder or file is refused, as the user is told.
inline constexpr const char* kIsALink = "ほかのユーザーのリンクです。";
// The user's own link is followed once; a link at its end is not.
inline constexpr const char* kLinkToALink = "リンクの先がまたリンクです。";
inline constexpr const char* kOthersOwnIt = "ほかのユーザーが所有しています。";
inline constexpr const char* kOthersCanWrite = "ほかのユーザーも書き込めるフォルダです。";
inline constexpr const char* kNotAFile = "ファイルではありません。";

}  // namespace tavlo
