#include "objtool_module.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

const ObjtoolDisplay* loadDisplayModule(std::string* error) {
    std::error_code ignored;
    const fs::path folder = fs::read_symlink("/proc/self/exe", ignored).parent_path();
    const fs::path installed = folder / OBJTOOL_MODULE_DIR_FROM_BIN / OBJTOOL_MODULE;
    const fs::path built = folder / OBJTOOL_MODULE;
    const fs::path& module = fs::exists(installed, ignored) ? installed : built;
    if (!fs::exists(module, ignored)) {
        *error = "its display module is missing: neither \"" +
                 installed.lexically_normal().string() + "\" nor \"" + built.string() + "\" exists";
        return nullptr;
    }
    // Never closed: the GL driver that it brings stays loaded until the process ends.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = handle != nullptr ? dlsym(handle, kObjtoolDisplaySymbol) : nullptr;
    if (entry == nullptr) {
        const char* reason = dlerror();
        *error = "can't load its display module: " + std::string(reason ? reason : module.string());
        return nullptr;
    }
    return static_cast<const ObjtoolDisplay*>(entry);
}
