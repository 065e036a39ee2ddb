#include "platform/ControlServer.h"

#include <QFileInfo>

#include <cstring>

#include "platform/ControlModel.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace platform {

QString ModuleFilePath(const void* addressInModule) {
#if defined(_WIN32)
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCWSTR>(addressInModule), &module)) {
        return {};
    }
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(module, path, DWORD(sizeof path / sizeof path[0]));
    if (length == 0 || length >= sizeof path / sizeof path[0]) {
        return {};
    }
    return QFileInfo(QString::fromWCharArray(path, int(length))).absoluteFilePath();
#else
    Dl_info info{};
    if (dladdr(addressInModule, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
#endif
}

std::int32_t ServerRegister(const ControlModule& module, const QString& libraryPath) noexcept {
    if (libraryPath.isEmpty()) {
        return hresult::kSelfRegClass;
    }
    try {
        for (const ClassFactory* factory : module.classes) {
            Register(factory->Info().progId, libraryPath, factory->Info().description);
        }
        return hresult::kOk;
    } catch (...) {
        return hresult::kSelfRegClass;
    }
}

std::int32_t ServerUnregister(const ControlModule& module) noexcept {
    try {
        for (const ClassFactory* factory : module.classes) {
            Unregister(factory->Info().progId);
        }
        return hresult::kOk;
    } catch (...) {
        return hresult::kSelfRegClass;
    }
}

std::int32_t ServerGetClassObject(const ControlModule& module, const char* progId,
                                  std::int32_t modelVersion, void** factory) noexcept {
    if (factory == nullptr) {
        return hresult::kPointer;
    }
    *factory = nullptr;
    if (progId == nullptr) {
        return hresult::kPointer;
    }
    if (modelVersion != kControlModelVersion) {
        return hresult::kNoInterface;
    }
    for (ClassFactory* candidate : module.classes) {
        if (std::strcmp(candidate->Info().progId.c_str(), progId) == 0) {
            *factory = candidate;
            return hresult::kOk;
        }
    }
    return hresult::kClassNotAvailable;
}

std::int32_t ServerCanUnloadNow(const ControlModule& module) noexcept {
    if (module.liveObjects != nullptr && module.liveObjects->load() > 0) {
        return hresult::kFalse;
    }
    return hresult::kOk;
}

}  // namespace platform
