#include "core/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "core/win32/wide_text.h"

namespace gyra {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// Delete sharing too, so that our own reads never make a commit's rename or
// removal fail.
HANDLE OpenForReading(const std::string& path) {
  return CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// Whether nothing is at the path (what a removal wants to leave).
bool IsGone(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::optional<std::vector<FolderEntry>> Win32FileSystem::ListFolder(const std::string& folder) const {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Widen(folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND && FolderExists(folder)) return std::vector<FolderEntry>{};
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                       (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                       (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return entries;
}

bool Win32FileSystem::FolderExists(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CanOpenForReading(const std::string& path) const {
  return Handle(OpenForReading(path)).ok();
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
  Handle file(OpenForReading(path));
  LARGE_INTEGER size;
  if (!file.ok() || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 30)) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

bool Win32FileSystem::WriteFileReplacing(const std::string& path, const std::string& bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temporary = Widen(path + std::string(kUnfinishedSuffix));
  bool written;
  {
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.ok()) return false;
    written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  if (!written) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(temporary.c_str());
  return false;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  const std::wstring wide = Widen(path);
  return DeleteFileW(wide.c_str()) || IsGone(wide);
}

bool Win32FileSystem::CopyToNewFile(const std::string& from, const std::string& to) {
  const std::wstring target = Widen(to);
  if (CopyFileW(Widen(from).c_str(), target.c_str(), TRUE)) return true;
  const DWORD error = GetLastError();
  // A copy that broke off half-way is no copy; a file that was there stays.
  if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) DeleteFileW(target.c_str());
  return false;
}

bool Win32FileSystem::RenameFolder(const std::string& from, const std::string& to) {
  return FolderExists(from) && MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), 0);
}

bool Win32FileSystem::RemoveFolder(const std::string& path) {
  const std::wstring wide = Widen(path);
  return RemoveDirectoryW(wide.c_str()) || IsGone(wide);
}

}  // namespace gyra
