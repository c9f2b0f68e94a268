// The real registry, read only: enough of the registry seam for the file
// stage, which only reads the Startup folder paths. Every writing call
// answers kErrorCallNotImplemented.
#pragma once

#include "platform/registry.h"

namespace winetest {

class ReadOnlyRegistry final : public platform::Registry {
public:
    platform::RegResult OpenKey(platform::RegRoot root, const char* path,
                                platform::AccessMask access, platform::RegKey& key) override;
    platform::RegResult CreateKey(platform::RegRoot, const char*, platform::RegKey&) override;
    platform::RegResult CreateKeyEx(platform::RegRoot, const char*, platform::AccessMask,
                                    platform::RegKey&) override;
    platform::RegResult QueryValue(const platform::RegKey& key, const char* name,
                                   platform::ValueType* type, void* data,
                                   std::uint32_t* dataSize) override;
    platform::RegResult SetValue(const platform::RegKey&, const char*, platform::ValueType,
                                 const void*, std::uint32_t) override;
    platform::RegResult DeleteValue(const platform::RegKey&, const char*) override;
    platform::RegResult EnumValue(const platform::RegKey&, std::uint32_t, char*, std::uint32_t*,
                                  platform::ValueType*, void*, std::uint32_t*) override;
    platform::RegResult CopyTree(const platform::RegKey&, const platform::RegKey&) override;
    platform::RegResult CopyTree(platform::RegRoot, const char*, const platform::RegKey&) override;
    platform::RegResult DeleteTree(platform::RegRoot, const char*) override;
    platform::RegResult DeleteValueAt(platform::RegRoot, const char*, const char*) override;
    platform::RegResult SaveKey(const platform::RegKey&, const char*) override;

protected:
    platform::RegResult CloseHandle(std::uintptr_t handle) noexcept override;
};

}  // namespace winetest
