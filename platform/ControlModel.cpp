#include "platform/ControlModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

#include "platform/ControlServer.h"

namespace platform {

namespace {

QString FromStd(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QString ClassGroup(const std::string& progId) {
    return QStringLiteral("Classes/") + FromStd(progId);
}

std::string Hex(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// Checks the call against the type information and converts its arguments before the control
// sees them, as the platform's dispatch implementation does; events pass through a guard, so a
// host handler that throws cannot unwind through the control's event handling.
class HostedControl final : public DispatchObject {
  public:
    explicit HostedControl(std::unique_ptr<DispatchObject> inner) : inner_(std::move(inner)) {}

    const ClassInfo& TypeInfo() const override { return inner_->TypeInfo(); }

    Variant Invoke(DispId id, std::vector<Variant> args) override {
        const MemberInfo* member = FindMember(TypeInfo(), id);
        if (member == nullptr) {
            throw ControlError(ControlError::Kind::MemberNotFound,
                               "Member not found: " + TypeInfo().progId +
                                   " has no method with dispatch identifier " + Hex(id));
        }
        return inner_->Invoke(id, BindArguments(TypeInfo(), *member, std::move(args)));
    }

    void SetEventSink(EventSink sink) override {
        if (!sink) {
            inner_->SetEventSink({});
            return;
        }
        std::string progId = TypeInfo().progId;
        inner_->SetEventSink(
            [sink = std::move(sink), progId](DispId event, std::vector<Variant>& args) {
                try {
                    sink(event, args);
                } catch (const std::exception& e) {
                    qCritical("Event %d of %s: the host's handler failed: %s", event,
                              progId.c_str(), e.what());
                } catch (...) {
                    qCritical("Event %d of %s: the host's handler failed", event, progId.c_str());
                }
            });
    }

    QWidget* widget() override { return inner_->widget(); }

  private:
    std::unique_ptr<DispatchObject> inner_;
};

struct LoadAttempt {
    DllGetClassObjectFn getClassObject = nullptr;
    bool loadedButNoEntryPoint = false;
    std::string failure;  // "file: reason"
};

LoadAttempt LoadControlLibrary(const QString& path) {
    LoadAttempt attempt;
    QLibrary library(path);  // never unloaded: the destructor leaves the library loaded
    if (!library.load()) {
        attempt.failure =
            ToStd(QDir::toNativeSeparators(path)) + ": " + ToStd(library.errorString());
        return attempt;
    }
    attempt.getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(library.resolve("DllGetClassObject"));
    if (attempt.getClassObject == nullptr) {
        attempt.loadedButNoEntryPoint = true;
        attempt.failure = ToStd(QDir::toNativeSeparators(path)) +
                          ": not a control library (it has no DllGetClassObject)";
    }
    return attempt;
}

template <typename Fn>
Fn ResolveEntryPoint(const QString& path, const char* name) {
    QLibrary library(path);
    if (!library.load()) {
        throw ControlError(ControlError::Kind::LibraryNotFound,
                           "Cannot load the control library " +
                               ToStd(QDir::toNativeSeparators(path)) + ": " +
                               ToStd(library.errorString()));
    }
    auto entry = reinterpret_cast<Fn>(library.resolve(name));
    if (entry == nullptr) {
        throw ControlError(ControlError::Kind::NotAControlLibrary,
                           ToStd(QDir::toNativeSeparators(path)) +
                               " is not a control library (it has no " + name + ")");
    }
    return entry;
}

}  // namespace

QString RegistryFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvane/controls.ini");
}

void Register(const std::string& progId, const QString& libraryPath,
              const std::string& description) {
    const QString file = RegistryFilePath();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings registry(file, QSettings::IniFormat);
    registry.beginGroup(ClassGroup(progId));
    registry.setValue(QStringLiteral("Library"), QFileInfo(libraryPath).absoluteFilePath());
    registry.setValue(QStringLiteral("Description"), FromStd(description));
    registry.endGroup();
    registry.sync();
    if (registry.status() != QSettings::NoError || !registry.isWritable()) {
        throw ControlError(ControlError::Kind::RegistrationFailed,
                           "Cannot register " + progId + ": the registry " +
                               ToStd(QDir::toNativeSeparators(file)) + " cannot be written");
    }
}

void Unregister(const std::string& progId) {
    const QString file = RegistryFilePath();
    if (!QFileInfo::exists(file)) {
        return;
    }
    QSettings registry(file, QSettings::IniFormat);
    registry.remove(ClassGroup(progId));
    registry.sync();
    if (registry.status() != QSettings::NoError) {
        throw ControlError(ControlError::Kind::RegistrationFailed,
                           "Cannot unregister " + progId + ": the registry " +
                               ToStd(QDir::toNativeSeparators(file)) + " cannot be written");
    }
}

std::optional<QString> RegisteredLibrary(const std::string& progId) {
    const QString file = RegistryFilePath();
    if (!QFileInfo::exists(file)) {
        return std::nullopt;
    }
    QSettings registry(file, QSettings::IniFormat);
    const QString path = registry.value(ClassGroup(progId) + QStringLiteral("/Library")).toString();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

QString LibraryFileName(const std::string& libraryName) {
#if defined(Q_OS_WIN)
    return FromStd(libraryName) + QStringLiteral(".dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("lib") + FromStd(libraryName) + QStringLiteral(".dylib");
#else
    return QStringLiteral("lib") + FromStd(libraryName) + QStringLiteral(".so");
#endif
}

namespace {

QString ProgramFolderLibrary(const std::string& progId) {
    const std::string libraryName = progId.substr(0, progId.find('.'));
    return QDir(QCoreApplication::applicationDirPath()).filePath(LibraryFileName(libraryName));
}

}  // namespace

QString ResolveLibrary(const std::string& progId) {
    if (auto registered = RegisteredLibrary(progId)) {
        return *registered;
    }
    return ProgramFolderLibrary(progId);
}

std::unique_ptr<DispatchObject> CreateControl(const std::string& progId, QWidget* parentWindow) {
    const std::size_t dot = progId.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == progId.size()) {
        throw ControlError(ControlError::Kind::ClassNotFound,
                           "Cannot create control '" + progId +
                               "': a programmatic identifier has the form Library.Class");
    }

    std::vector<QString> candidates;
    if (auto registered = RegisteredLibrary(progId)) {
        candidates.push_back(*registered);
    }
    const QString local = ProgramFolderLibrary(progId);
    if (candidates.empty() || QFileInfo(candidates.front()) != QFileInfo(local)) {
        candidates.push_back(local);
    }

    std::string failures;
    bool sawNonControl = false;
    for (const QString& path : candidates) {
        LoadAttempt attempt = LoadControlLibrary(path);
        if (attempt.getClassObject == nullptr) {
            sawNonControl = sawNonControl || attempt.loadedButNoEntryPoint;
            failures += (failures.empty() ? "" : "; ") + attempt.failure;
            continue;
        }
        const std::string where = ToStd(QDir::toNativeSeparators(path));
        void* object = nullptr;
        const std::int32_t result =
            attempt.getClassObject(progId.c_str(), kControlModelVersion, &object);
        if (result == hresult::kClassNotAvailable) {
            throw ControlError(ControlError::Kind::ClassNotFound,
                               "Cannot create control '" + progId + "': the library " + where +
                                   " has no class of that name");
        }
        if (result == hresult::kNoInterface) {
            throw ControlError(ControlError::Kind::NotAControlLibrary,
                               "Cannot create control '" + progId + "': the library " + where +
                                   " was built for another version of the control model");
        }
        if (result != hresult::kOk || object == nullptr) {
            throw ControlError(ControlError::Kind::CreateFailed,
                               "Cannot create control '" + progId + "': DllGetClassObject of " +
                                   where + " failed with " + Hex(result));
        }
        auto* factory = static_cast<ClassFactory*>(object);
        std::unique_ptr<DispatchObject> instance(factory->CreateInstance(parentWindow));
        if (!instance) {
            throw ControlError(ControlError::Kind::CreateFailed,
                               "Cannot create control '" + progId + "': the library " + where +
                                   " could not create an instance");
        }
        return std::make_unique<HostedControl>(std::move(instance));
    }
    throw ControlError(sawNonControl ? ControlError::Kind::NotAControlLibrary
                                     : ControlError::Kind::LibraryNotFound,
                       "Cannot create control '" + progId + "': no control library found (tried " +
                           failures + ")");
}

void RegisterServer(const QString& libraryPath) {
    auto entry = ResolveEntryPoint<DllRegisterServerFn>(libraryPath, "DllRegisterServer");
    const std::int32_t result = entry();
    if (result != hresult::kOk) {
        throw ControlError(ControlError::Kind::RegistrationFailed,
                           "DllRegisterServer of " + ToStd(QDir::toNativeSeparators(libraryPath)) +
                               " failed with " + Hex(result) + " (registry " +
                               ToStd(QDir::toNativeSeparators(RegistryFilePath())) + ")");
    }
}

void UnregisterServer(const QString& libraryPath) {
    auto entry = ResolveEntryPoint<DllUnregisterServerFn>(libraryPath, "DllUnregisterServer");
    const std::int32_t result = entry();
    if (result != hresult::kOk) {
        throw ControlError(ControlError::Kind::RegistrationFailed,
                           "DllUnregisterServer of " +
                               ToStd(QDir::toNativeSeparators(libraryPath)) + " failed with " +
                               Hex(result) + " (registry " +
                               ToStd(QDir::toNativeSeparators(RegistryFilePath())) + ")");
    }
}

}  // namespace platform
