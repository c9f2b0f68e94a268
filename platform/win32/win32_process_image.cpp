// Finds a window's process image through psapi.dll or a tool-help snapshot.
#include "platform/win32/win32_process_image.h"

#include <tlhelp32.h>

#include <cstring>

#include "platform/win32/answer_text.h"

namespace platform::win32 {
namespace {

using CreateSnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

}  // namespace

ProcessImageReader::ProcessImageReader(Psapi psapi)
    : psapi_(psapi == Psapi::kAsk ? ::LoadLibraryA("psapi.dll") : nullptr) {
    getModuleFileNameEx_ =
        LookUp<GetModuleFileNameExFunction>(psapi_.Get(), "GetModuleFileNameExA");
}

std::size_t ProcessImageReader::ImageOf(HWND window, char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) return 0;
    buffer[0] = '\0';
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == 0) return 0;
    if (std::size_t length = FromPsapi(processId, buffer, size)) return length;
    return FromSnapshot(processId, buffer, size);
}

std::size_t ProcessImageReader::FromPsapi(DWORD processId, char* buffer, std::size_t size) const {
    if (getModuleFileNameEx_ == nullptr) return 0;
    UniqueProcess process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.Valid()) return 0;
    return AnswerUncut(getModuleFileNameEx_(process.Get(), nullptr, buffer, CallSize(size)), buffer,
                       size);
}

std::size_t ProcessImageReader::FromSnapshot(DWORD processId, char* buffer,
                                             std::size_t size) const {
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    auto createSnapshot = LookUp<CreateSnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
    auto first = LookUp<ProcessWalkFunction>(kernel, "Process32First");
    auto next = LookUp<ProcessWalkFunction>(kernel, "Process32Next");
    if (createSnapshot == nullptr || first == nullptr || next == nullptr) return 0;
    UniqueSnapshot snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = first(snapshot.Get(), &entry); more; more = next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID != processId) continue;
        // Windows 9x gives the full path here; the NT family only the bare
        // name, which still matches a search for the program's file name.
        std::size_t length = strnlen(entry.szExeFile, sizeof(entry.szExeFile));
        if (length == 0 || length >= size || length == sizeof(entry.szExeFile)) return 0;
        std::memcpy(buffer, entry.szExeFile, length);
        buffer[length] = '\0';
        return length;
    }
    return 0;
}

}  // namespace platform::win32
