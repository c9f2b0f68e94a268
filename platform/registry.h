// The registry side of the platform seam: the calls the sweep makes, each with
// the semantics of the Windows call it stands for, failures included. Two
// backends implement it: the real registry (platform/win32) and the in-memory
// machine (platform/emulated).
//
// Error contract: every operation returns the raw Windows result code
// (kErrorSuccess = 0). When it returns anything else, none of its outputs
// (key, buffers, sizes, type) has been changed.
#pragma once

#include <cstdint>
#include <utility>

namespace platform {

using RegResult = long;            // a Windows LONG result code
using AccessMask = std::uint32_t;  // REGSAM
using ValueType = std::uint32_t;   // REG_* type number; any number may be stored

// Result codes the callers and the backends name.
inline constexpr RegResult kErrorSuccess = 0;
inline constexpr RegResult kErrorFileNotFound = 2;
inline constexpr RegResult kErrorAccessDenied = 5;
inline constexpr RegResult kErrorInvalidHandle = 6;
inline constexpr RegResult kErrorNotEnoughMemory = 8;
inline constexpr RegResult kErrorInvalidParameter = 87;
inline constexpr RegResult kErrorCallNotImplemented = 120;
inline constexpr RegResult kErrorAlreadyExists = 183;
inline constexpr RegResult kErrorMoreData = 234;
inline constexpr RegResult kErrorNoMoreItems = 259;
inline constexpr RegResult kErrorKeyDeleted = 1018;
inline constexpr RegResult kErrorNoUnicodeTranslation = 1113;
inline constexpr RegResult kErrorPrivilegeNotHeld = 1314;

// Access rights (REGSAM bits).
inline constexpr AccessMask kKeyQueryValue = 0x0001;
inline constexpr AccessMask kKeySetValue = 0x0002;
inline constexpr AccessMask kKeyCreateSubKey = 0x0004;
inline constexpr AccessMask kKeyEnumerateSubKeys = 0x0008;
inline constexpr AccessMask kKeyRead = 0x20019;
inline constexpr AccessMask kKeyWrite = 0x20006;
inline constexpr AccessMask kKeyAllAccess = 0xF003F;

// Value types the sweep names; every other number is kept as it is.
inline constexpr ValueType kRegNone = 0;
inline constexpr ValueType kRegSz = 1;
inline constexpr ValueType kRegExpandSz = 2;
inline constexpr ValueType kRegBinary = 3;
inline constexpr ValueType kRegDword = 4;
inline constexpr ValueType kRegMultiSz = 7;

// What CopyValue carries at most: a name of 259 ANSI characters may take
// twice as many UTF-16 units (a character outside the basic plane is one '?'
// and two units), text data of 260 ANSI bytes four times as many bytes.
inline constexpr std::uint32_t kMaxCopiedNameUnits = 2 * 260;
inline constexpr std::uint32_t kMaxCopiedDataBytes = 4 * 260;

enum class RegRoot { LocalMachine, CurrentUser };

class Registry;

// An open key. Closes itself; cannot be copied; a moved-from or default key is
// empty. A key must not outlive the Registry that opened it.
class RegKey {
  public:
    RegKey() = default;
    ~RegKey() { Reset(); }
    RegKey(RegKey&& other) noexcept
        : owner_(std::exchange(other.owner_, nullptr)), handle_(std::exchange(other.handle_, 0)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            Reset();
            owner_ = std::exchange(other.owner_, nullptr);
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    bool IsOpen() const { return owner_ != nullptr; }
    // Closes the key, ignoring the result (use Registry::CloseKey to see it).
    void Reset() noexcept;

  private:
    friend class Registry;
    Registry* owner_ = nullptr;
    std::uintptr_t handle_ = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;

    // RegOpenKeyExA. A null or empty path opens the root itself.
    virtual RegResult OpenKey(RegRoot root, const char* path, AccessMask access, RegKey& key) = 0;
    // RegCreateKeyA: opens the key with full access, creating it and any missing
    // parents first.
    virtual RegResult CreateKey(RegRoot root, const char* path, RegKey& key) = 0;
    // RegCreateKeyExA with REG_OPTION_NON_VOLATILE and default security.
    virtual RegResult CreateKeyEx(RegRoot root, const char* path, AccessMask access,
                                  RegKey& key) = 0;

    // RegQueryValueExA. A null or empty name is the key's default value. With
    // `data` null only the type and size are given. Fails with kErrorMoreData
    // when the data is larger than *dataSize.
    virtual RegResult QueryValue(const RegKey& key, const char* name, ValueType* type, void* data,
                                 std::uint32_t* dataSize) = 0;
    // RegSetValueExA: stores exactly `dataSize` bytes under `type`.
    virtual RegResult SetValue(const RegKey& key, const char* name, ValueType type,
                               const void* data, std::uint32_t dataSize) = 0;
    // RegDeleteValueA.
    virtual RegResult DeleteValue(const RegKey& key, const char* name) = 0;
    // RegEnumValueA. *nameLength holds the size of `name` in characters with
    // the terminator and receives the length without it; kErrorMoreData when
    // the name or (with `data`) the data does not fit; kErrorNoMoreItems past
    // the last value. `type`, `data` and `dataSize` may be null. Deleting a
    // value moves every later value down by one index.
    virtual RegResult EnumValue(const RegKey& key, std::uint32_t index, char* name,
                                std::uint32_t* nameLength, ValueType* type, void* data,
                                std::uint32_t* dataSize) = 0;
    // The value at `index` (as EnumValue counts) written into `destination`
    // under the same name, type and bytes, whatever the system's code page:
    // on the NT family, whose registry holds Unicode, with no text conversion
    // at all; on the 9x family, whose registry holds ANSI text, as the A calls
    // read it. Writes nothing and fails with kErrorMoreData when the name or
    // the data is larger than kMaxCopiedNameUnits or kMaxCopiedDataBytes.
    virtual RegResult CopyValue(const RegKey& source, std::uint32_t index,
                                const RegKey& destination) = 0;
    // Whether the A calls reach the value at `index` by the name EnumValue
    // gives it: on the NT family a character without a form in the system's
    // ANSI code page comes out as '?' (or a near letter), and that name
    // reaches another value or none. kErrorSuccess when the name is exact,
    // kErrorNoUnicodeTranslation when it is not, or the failure.
    virtual RegResult CheckAnsiName(const RegKey& key, std::uint32_t index) = 0;

    // RegCloseKey; the key is empty afterwards whatever the result.
    RegResult CloseKey(RegKey& key);

    // SHCopyKeyA(source, NULL, destination): merges the source key's values and
    // whole subtree into the destination; values of the same name are
    // overwritten, everything else in the destination stays. Subkeys are copied
    // before values and the copy stops at the first failure, so a failed copy
    // may have copied a part.
    virtual RegResult CopyTree(const RegKey& source, const RegKey& destination) = 0;
    // SHCopyKeyA(root, sourcePath, destination), the source opened by path.
    virtual RegResult CopyTree(RegRoot root, const char* sourcePath, const RegKey& destination) = 0;
    // SHDeleteKeyA: deletes the key with all its subkeys.
    virtual RegResult DeleteTree(RegRoot root, const char* path) = 0;
    // SHDeleteValueA: opens `path` for setting values and deletes one value.
    virtual RegResult DeleteValueAt(RegRoot root, const char* path, const char* name) = 0;
    // RegSaveKeyA with no security attributes: saves the key and its subtree
    // into a new hive file. Fails when the file already exists.
    virtual RegResult SaveKey(const RegKey& key, const char* filePath) = 0;

  protected:
    // For backends: make a key from their handle, read it back, check the owner.
    RegKey MakeKey(std::uintptr_t handle) {
        RegKey key;
        key.owner_ = this;
        key.handle_ = handle;
        return key;
    }
    bool Owns(const RegKey& key) const { return key.owner_ == this; }
    static std::uintptr_t HandleOf(const RegKey& key) { return key.handle_; }
    // Releases one handle of this backend; returns the close result.
    virtual RegResult CloseHandle(std::uintptr_t handle) noexcept = 0;

  private:
    friend class RegKey;
};

inline void RegKey::Reset() noexcept {
    if (owner_ != nullptr) owner_->CloseHandle(handle_);
    owner_ = nullptr;
    handle_ = 0;
}

inline RegResult Registry::CloseKey(RegKey& key) {
    if (!Owns(key)) return kErrorInvalidHandle;
    RegResult result = CloseHandle(key.handle_);
    key.owner_ = nullptr;
    key.handle_ = 0;
    return result;
}

}  // namespace platform
