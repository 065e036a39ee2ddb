#pragma once
// The host side of the control model, our stand-in for the platform's control registration and
// late binding: a per-user registry of control classes (programmatic identifier -> library file),
// and the creation of a control on a host window by programmatic identifier, the library loaded
// at run time.

#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "platform/Dispatch.h"

class QWidget;

namespace platform {

// The per-user registry file: <generic config location>/Quorvane/controls.ini. Tests isolate it
// with QStandardPaths::setTestModeEnabled(true) (and a HOME of their own).
QString RegistryFilePath();

// Records (or replaces) the class `progId` with the library file that holds it. Throws
// ControlError (RegistrationFailed) when the registry cannot be written.
void Register(const std::string& progId, const QString& libraryPath,
              const std::string& description = {});
// Removes the record of `progId`; removing a record that does not exist is no failure.
void Unregister(const std::string& progId);
// The library file recorded for `progId`, if any.
std::optional<QString> RegisteredLibrary(const std::string& progId);

// The file name of the library named `libraryName` on this platform: libX.so, X.dll, libX.dylib.
QString LibraryFileName(const std::string& libraryName);
// The library CreateControl loads for `progId` first: the registered file if there is a record,
// else the library named by the identifier's first part in the host program's own folder.
QString ResolveLibrary(const std::string& progId);

// Creates the control `progId` ("Library.Class") on `parentWindow` (may be nullptr). Looks in the
// registry first; if that record is missing or its file cannot be loaded, loads the library named
// by the identifier's first part from the host program's folder. The library stays loaded for the
// life of the process. Throws ControlError (LibraryNotFound, NotAControlLibrary, ClassNotFound,
// CreateFailed) with a description that names the identifier and the files tried.
std::unique_ptr<DispatchObject> CreateControl(const std::string& progId, QWidget* parentWindow);

// What a registration tool does with a library file: load it and call its DllRegisterServer or
// DllUnregisterServer. Throws ControlError when the library cannot be loaded or reports failure.
void RegisterServer(const QString& libraryPath);
void UnregisterServer(const QString& libraryPath);

}  // namespace platform
