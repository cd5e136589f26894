// Saving without ever leaving half a file: the bytes go to a temporary file in
// the target's folder, which replaces the target only once it is complete and
// flushed. A failed save removes its temporary file and leaves whatever the
// target was (an older picture, or nothing) untouched.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace flk {

// Why a save failed. errorClass names the kind of failure as the "Unable to
// save file." box shows it; message says what happened; systemError is the
// errno of the failing call (0 when no system call failed).
struct SaveError {
  std::string errorClass;
  std::string message;
  int systemError = 0;
};

// Error classes used by the writers.
inline constexpr const char* kErrorCreate = "EFCreateError";          // file could not be created
inline constexpr const char* kErrorWrite = "EWriteError";             // writing, flushing or replacing failed
inline constexpr const char* kErrorPng = "EPngError";                 // libpng refused
inline constexpr const char* kErrorJpeg = "EJpegError";               // libjpeg refused
inline constexpr const char* kErrorGif = "EGifError";                 // giflib refused
inline constexpr const char* kErrorBmp = "EBmpError";                 // bitmap writer refused
inline constexpr const char* kErrorTooLarge = "EInvalidGraphicOperation";  // picture exceeds the format
inline constexpr const char* kErrorOutOfMemory = "EOutOfMemory";

// A path from UTF-8 text (wide on Windows, so any Unicode name works).
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// Opens a file for binary writing with the platform's Unicode-capable call.
std::FILE* OpenForWriting(const std::filesystem::path& path);

// Writes target through `write`, which gets the open temporary file and
// returns false (filling the error) on failure. Returns true when the target
// now holds exactly what `write` produced.
using StreamWriter = std::function<bool(std::FILE*, SaveError*)>;
bool WriteFileAtomically(const std::filesystem::path& target, const StreamWriter& write, SaveError* error);

// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateFolderChain(const std::string& folder);

// True for a name WriteFileAtomically gives its temporary files:
// "<target name>.<8 hex digits>.flktmp". A process killed mid-save leaves one.
bool IsTemporaryFileName(std::string_view fileName);

// Removes the temporary files that earlier saves left directly in folder
// (nothing else, no subfolders). A file still open by a save in progress
// cannot be removed on Windows and stays. Returns how many went.
int RemoveTemporaryFilesIn(const std::filesystem::path& folder);

// Fills *error for a failed stdio call: class, message and the current errno.
bool StreamFailure(SaveError* error, const char* errorClass, const std::string& message);

}  // namespace flk
