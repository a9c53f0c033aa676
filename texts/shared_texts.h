#pragma once

// The texts that both the window and zelanto-cli show, exactly as the users know them. Plain
// C++: the command-line tool and the help generator use them without Qt.
namespace zelanto::texts {

inline constexpr char kSheetFull[] = "すでに５万点以上達しましたので終了します";
inline constexpr char kNoPlottableData[] = "プロット可能なデータがありません";

}  // namespace zelanto::texts
