#pragma once
// The library side of the control model: what a control library's four entry points hand over to.
// A library describes its classes with one ClassFactory each and lists them in a ControlModule;
// its exported DllRegisterServer, DllUnregisterServer, DllGetClassObject and DllCanUnloadNow call
// the Server* functions below and do nothing else.

#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/Dispatch.h"

namespace platform {

// Result codes of the entry points, with the values the Windows control model gives them.
namespace hresult {
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kFalse = 1;
inline constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002u);
inline constexpr std::int32_t kPointer = static_cast<std::int32_t>(0x80004003u);
inline constexpr std::int32_t kUnexpected = static_cast<std::int32_t>(0x8000FFFFu);
inline constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111u);
inline constexpr std::int32_t kSelfRegClass = static_cast<std::int32_t>(0x80040201u);
}  // namespace hresult

// Version of the C++ interfaces that cross the library boundary (ClassFactory, DispatchObject,
// Variant). A host passes it to DllGetClassObject; a library built against another version
// answers kNoInterface instead of handing out an object the host would misread.
inline constexpr std::int32_t kControlModelVersion = 1;

// The signatures of the four entry points every control library exports (extern "C").
using DllRegisterServerFn = std::int32_t (*)();
using DllUnregisterServerFn = std::int32_t (*)();
using DllGetClassObjectFn = std::int32_t (*)(const char* progId, std::int32_t modelVersion,
                                             void** factory);
using DllCanUnloadNowFn = std::int32_t (*)();

// Creates instances of one class. Factories are static objects of their library; the host never
// deletes them.
class ClassFactory {
  public:
    virtual const ClassInfo& Info() const = 0;
    // A new instance on `parent` (may be nullptr), owned by the caller; nullptr when it could not
    // be created. Never throws.
    virtual DispatchObject* CreateInstance(QWidget* parent) noexcept = 0;

  protected:
    ~ClassFactory() = default;
};

struct ControlModule {
    std::vector<ClassFactory*> classes;
    // Instances alive, kept by the library's objects; DllCanUnloadNow answers from it.
    std::atomic<int>* liveObjects = nullptr;
};

// The file of the loaded module that holds `addressInModule` (a function or object of that
// module), found through the dynamic loader; empty if it cannot be found.
QString ModuleFilePath(const void* addressInModule);

// Records every class of the module under its programmatic identifier with `libraryPath`.
std::int32_t ServerRegister(const ControlModule& module, const QString& libraryPath) noexcept;
// Removes the records of every class of the module.
std::int32_t ServerUnregister(const ControlModule& module) noexcept;
// Hands out the factory of the class `progId` (a ClassFactory*), or kClassNotAvailable.
std::int32_t ServerGetClassObject(const ControlModule& module, const char* progId,
                                  std::int32_t modelVersion, void** factory) noexcept;
// kOk when no instance is alive, kFalse otherwise.
std::int32_t ServerCanUnloadNow(const ControlModule& module) noexcept;

}  // namespace platform
