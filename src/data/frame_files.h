// Where the frames and settings live, and the catalogue of committed frames.
// Portable: all file access goes through the FileSystem interface.
#pragma once

#include <string>
#include <vector>

#include "core/file_system.h"

namespace gyra {

struct DataPaths {
  std::string data_folder;    // drive root + "ジラフォト"
  std::string committed_folder;  // committed frames, the set the screensaver plays
  std::string rendering_folder;  // frames of the latest rendering, not yet accepted
  std::string settings_file;     // the settings file
};

// The data folder lies in the root of the drive holding the program: the
// first three characters of the program's folder with its backslash ("C:\",
// also for the folder "C:" of a program in the root) + "ジラフォト"; for a
// program on a network share, the share's root ("\\server\share\ジラフォト").
DataPaths DataPathsFor(const std::string& program_folder);

// Makes the data folder with its two frame folders on first run; an existing
// data folder is left as the user has it, even without its frame folders.
// False when there is no data folder afterwards (a read-only medium, a share
// without write access): nothing can be rendered or saved then.
bool MakeDataFolder(FileSystem& fs, const DataPaths& paths);

// The folder part of a path, without a trailing "\" ("C:\a\*.bmp" -> "C:\a",
// "C:*.bmp" -> "C:", "name" -> "").
std::string ParentFolder(const std::string& path);

// The path without trailing blanks, ending in exactly one added "\".
std::string WithTrailingBackslash(const std::string& path);

// Whether a file name matches "*.bmp", the extension in any case.
bool IsBitmapFileName(const std::string& name);

bool IsFolder(const FileSystem& fs, const std::string& path);

// Whether the file can be opened for reading; a trailing "\" is ignored.
bool CanReadFile(const FileSystem& fs, const std::string& path);

// The regular files directly inside a folder that are neither hidden nor
// system and whose names `wanted` accepts, as full paths sorted ordinally
// (PicD_001.bmp before PicD_002.bmp). Empty when the folder is missing.
std::vector<std::string> ListFiles(const FileSystem& fs, const std::string& folder,
                                   bool (*wanted)(const std::string& name));

// The frame files of a folder in playback order: its *.bmp files as ListFiles
// gives them.
std::vector<std::string> ListFrameFiles(const FileSystem& fs, const std::string& folder);

}  // namespace gyra
