#pragma once
// The qbbtool commands. Each takes the arguments after its name and returns
// the process exit status.

#include <filesystem>
#include <string>
#include <vector>

namespace qbbtool {

using Args = std::vector<std::string>;

int RunInfo(const Args& args);
int RunPage(const Args& args);
int RunMake(const Args& args);
int RunBuild(const Args& args);
// RunBuild with the settings file of a program in programFolder (tests).
int RunBuild(const Args& args, const std::u16string& programFolder);
int RunThumbnail(const Args& args);
int RunUnpack(const Args& args);
int RunExport(const Args& args);
int RunPublish(const Args& args);
// RunPublish with the web reader's files taken from readerFolder (tests).
int RunPublish(const Args& args, const std::filesystem::path& readerFolder);

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNotABook = 2;
inline constexpr int kExitCheckFailed = 3;
inline constexpr int kExitDamaged = 4;
inline constexpr int kExitNoSuchPage = 5;
inline constexpr int kExitCannotWrite = 6;
inline constexpr int kExitPictureFailed = 7;
inline constexpr int kExitNothingToBind = 8;
inline constexpr int kExitFolderInUse = 9;
inline constexpr int kExitArchiveRefused = 10;
inline constexpr int kExitWrongPassword = 11;

}  // namespace qbbtool
