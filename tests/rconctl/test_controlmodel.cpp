// The control model: registration in the per-user registry (isolated here), creation of a
// control by programmatic identifier with the library loaded at run time, the errors a host gets,
// late binding of arguments, and the library's four entry points.

#include <QtTest>

#include <QLibrary>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/ControlModel.h"
#include "platform/ControlServer.h"
#include "rconctl/VarnholtIds.h"
#include "tests/fixtures/FakeGameServer.h"

using platform::ControlError;
using platform::Variant;
using quorvane::testing::FakeGameServer;
namespace ids = varnholt::ids;

namespace {

const std::string kProgId(ids::kProgId);

QString ProgramFolderLibrary() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(platform::LibraryFileName("Varnholt32"));
}

template <typename Fn>
Fn EntryPoint(const QString& library, const char* name) {
    QLibrary lib(library);
    return reinterpret_cast<Fn>(lib.resolve(name));
}

// Runs `call` and returns the ControlError it throws (failing the test if it throws none).
template <typename Call>
std::optional<ControlError> ErrorOf(Call call) {
    try {
        call();
    } catch (const ControlError& e) {
        return e;
    }
    return std::nullopt;
}

}  // namespace

class TestControlModel : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void createsFromTheProgramFolder();
    void registerRecordsTheLibrarysOwnPath();
    void aStaleRegistrationFallsBackToTheProgramFolder();
    void missingLibraryIsAClearError();
    void missingClassIsAClearError();
    void registeredClassTheLibraryLacks();
    void notAControlLibrary();
    void registerServerOfAMissingFile();

    void bindArguments_data();
    void bindArguments();
    void lateBindingErrors();
    void textPortIsConverted();
    void membersByName();
    void controlOutlivedByItsObject();
    void throwingEventSinkIsContained();
    void entryPoints();

  private:
    QTemporaryDir home_;
};

void TestControlModel::initTestCase() {
    QVERIFY(home_.isValid());
    qputenv("HOME", home_.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(platform::RegistryFilePath().startsWith(home_.path()),
             qPrintable(platform::RegistryFilePath()));
}

void TestControlModel::cleanup() {
    QFile::remove(platform::RegistryFilePath());
}

void TestControlModel::createsFromTheProgramFolder() {
    QVERIFY(!platform::RegisteredLibrary(kProgId));
    QCOMPARE(platform::ResolveLibrary(kProgId), ProgramFolderLibrary());
    QWidget window;
    auto control = platform::CreateControl(kProgId, &window);
    QVERIFY(control);
    QCOMPARE(control->TypeInfo().progId, kProgId);
    QCOMPARE(control->widget()->parentWidget(), &window);
}

void TestControlModel::registerRecordsTheLibrarysOwnPath() {
    // A copy of the library elsewhere: registering it must record the copy's path (the library
    // finds its own file), and CreateControl must then load the copy, not the program folder's.
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(platform::LibraryFileName("Varnholt32"));
    QVERIFY(QFile::copy(ProgramFolderLibrary(), copy));

    platform::RegisterServer(copy);
    QVERIFY(QFile::exists(platform::RegistryFilePath()));
    QCOMPARE(platform::RegisteredLibrary(kProgId).value_or(QString()),
             QFileInfo(copy).absoluteFilePath());
    QCOMPARE(platform::ResolveLibrary(kProgId), QFileInfo(copy).absoluteFilePath());

    {
        QWidget window;
        auto control = platform::CreateControl(kProgId, &window);
        auto copyCanUnload = EntryPoint<platform::DllCanUnloadNowFn>(copy, "DllCanUnloadNow");
        auto localCanUnload =
            EntryPoint<platform::DllCanUnloadNowFn>(ProgramFolderLibrary(), "DllCanUnloadNow");
        QVERIFY(copyCanUnload && localCanUnload);
        QCOMPARE(copyCanUnload(), platform::hresult::kFalse);  // the instance lives in the copy
        QCOMPARE(localCanUnload(), platform::hresult::kOk);
    }

    platform::UnregisterServer(copy);
    QVERIFY(!platform::RegisteredLibrary(kProgId));
    QCOMPARE(platform::ResolveLibrary(kProgId), ProgramFolderLibrary());
}

void TestControlModel::aStaleRegistrationFallsBackToTheProgramFolder() {
    platform::Register(kProgId, home_.filePath(QStringLiteral("gone/libVarnholt32.so")));
    QWidget window;
    auto control = platform::CreateControl(kProgId, &window);
    QVERIFY(control);
    platform::Unregister(kProgId);
    QVERIFY(!platform::RegisteredLibrary(kProgId));
    platform::Unregister(kProgId);  // removing it again is no failure
}

void TestControlModel::missingLibraryIsAClearError() {
    QWidget window;
    auto error = ErrorOf([&] { platform::CreateControl("NoSuchLibrary.Thing", &window); });
    QVERIFY(error);
    QCOMPARE(error->kind(), ControlError::Kind::LibraryNotFound);
    const QString text = QString::fromLocal8Bit(error->what());
    QVERIFY2(text.contains(QStringLiteral("NoSuchLibrary.Thing")), qPrintable(text));
    QVERIFY2(text.contains(platform::LibraryFileName("NoSuchLibrary")), qPrintable(text));
}

void TestControlModel::missingClassIsAClearError() {
    QWidget window;
    auto error = ErrorOf([&] { platform::CreateControl("Varnholt32.NoSuchClass", &window); });
    QVERIFY(error);
    QCOMPARE(error->kind(), ControlError::Kind::ClassNotFound);
    const QString text = QString::fromLocal8Bit(error->what());
    QVERIFY2(text.contains(QStringLiteral("Varnholt32.NoSuchClass")), qPrintable(text));

    error = ErrorOf([&] { platform::CreateControl("Varnholt32", &window); });
    QVERIFY(error);
    QCOMPARE(error->kind(), ControlError::Kind::ClassNotFound);
}

void TestControlModel::registeredClassTheLibraryLacks() {
    platform::Register("Elsewhere.Control", ProgramFolderLibrary());
    auto error = ErrorOf([] { platform::CreateControl("Elsewhere.Control", nullptr); });
    platform::Unregister("Elsewhere.Control");
    QVERIFY(error);
    QCOMPARE(error->kind(), ControlError::Kind::ClassNotFound);
}

void TestControlModel::notAControlLibrary() {
    // Any shared library without the entry points will do: Qt's own core library.
    const QString coreFile = QLibraryInfo::path(QLibraryInfo::LibrariesPath) +
                             QStringLiteral("/libQt6Core.so.") + QString::number(QT_VERSION_MAJOR);
    if (!QFile::exists(coreFile)) {
        QSKIP("Qt's core library is not at the expected place on this platform");
    }
    platform::Register("Plain.Thing", coreFile);
    auto error = ErrorOf([] { platform::CreateControl("Plain.Thing", nullptr); });
    platform::Unregister("Plain.Thing");
    QVERIFY(error);
    QCOMPARE(error->kind(), ControlError::Kind::NotAControlLibrary);
    QVERIFY2(QString::fromLocal8Bit(error->what()).contains(QStringLiteral("DllGetClassObject")),
             error->what());
}

void TestControlModel::registerServerOfAMissingFile() {
    auto error =
        ErrorOf([&] { platform::RegisterServer(home_.filePath(QStringLiteral("none.so"))); });
    QVERIFY(error);
    QCOMPARE(error->kind(), ControlError::Kind::LibraryNotFound);
}

void TestControlModel::bindArguments_data() {
    QTest::addColumn<QList<int>>("kinds");  // of the arguments: 0 text "7", 1 int 7, 2 empty, 3
                                            // omitted, 4 record, 5 text "x"
    QTest::addColumn<QString>("bound");     // Describe() of the bound arguments, or the error kind
    QTest::newRow("text and number as they are")
        << QList<int>{0, 1} << "Text(\"7\") Int(7) Int(1500)";
    QTest::newRow("a number for text, decimal text for a number")
        << QList<int>{1, 0} << "Text(\"7\") Int(7) Int(1500)";
    QTest::newRow("empty becomes the empty text and 0")
        << QList<int>{2, 2, 2} << "Text(\"\") Int(0) Int(0)";
    QTest::newRow("an omitted optional takes its default")
        << QList<int>{0, 1, 3} << "Text(\"7\") Int(7) Int(1500)";
    QTest::newRow("a required argument missing") << QList<int>{0} << "BadArgumentCount";
    QTest::newRow("a required argument omitted") << QList<int>{0, 3} << "BadArgumentCount";
    QTest::newRow("too many") << QList<int>{0, 1, 1, 1} << "BadArgumentCount";
    QTest::newRow("text that is no number") << QList<int>{0, 5} << "TypeMismatch";
    QTest::newRow("a record") << QList<int>{4, 1} << "TypeMismatch";
}

void TestControlModel::bindArguments() {
    QFETCH(QList<int>, kinds);
    QFETCH(QString, bound);
    const platform::ClassInfo info{
        "Test.Class",
        "",
        {{1,
          "method",
          {{"text", platform::ParamKind::Text, false, {}},
           {"number", platform::ParamKind::Int32, false, {}},
           {"optional", platform::ParamKind::Int32, true, Variant(std::int32_t{1500})}}}},
        {}};
    std::vector<Variant> args;
    for (int kind : kinds) {
        const Variant values[] = {Variant("7"),       Variant(std::int32_t{7}),    Variant(),
                                  Variant::Missing(), Variant(platform::Record{}), Variant("x")};
        args.push_back(values[kind]);
    }
    QString shown;
    try {
        for (const Variant& v : platform::BindArguments(info, info.methods[0], args)) {
            shown += (shown.isEmpty() ? QString() : QStringLiteral(" ")) +
                     QString::fromStdString(platform::Describe(v));
        }
    } catch (const ControlError& e) {
        shown = e.kind() == ControlError::Kind::BadArgumentCount
                    ? QStringLiteral("BadArgumentCount")
                : e.kind() == ControlError::Kind::TypeMismatch ? QStringLiteral("TypeMismatch")
                                                               : QStringLiteral("other");
    }
    QCOMPARE(shown, bound);
}

void TestControlModel::lateBindingErrors() {
    QWidget window;
    auto control = platform::CreateControl(kProgId, &window);
    auto kindOf = [&](platform::DispId id, std::vector<Variant> args) {
        auto error = ErrorOf([&] { control->Invoke(id, args); });
        return error ? std::optional(error->kind()) : std::nullopt;
    };
    QCOMPARE(kindOf(0x12345, {}), std::optional(ControlError::Kind::MemberNotFound));
    QCOMPARE(kindOf(ids::kRconBreak, {Variant("extra")}),
             std::optional(ControlError::Kind::BadArgumentCount));
    QCOMPARE(kindOf(ids::kSendRcon, {"127.0.0.1", std::int32_t{1}, "pw"}),
             std::optional(ControlError::Kind::BadArgumentCount));
    QCOMPARE(kindOf(ids::kSendRcon, {"127.0.0.1", "port", "pw", "cmd"}),
             std::optional(ControlError::Kind::TypeMismatch));
    QCOMPARE(kindOf(ids::kRconBreak, {}), std::nullopt);
}

void TestControlModel::textPortIsConverted() {
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply("ok\n"));
    QWidget window;
    auto control = platform::CreateControl(kProgId, &window);
    const std::string port = " " + std::to_string(server.port()) + " ";
    QCOMPARE(control->Invoke(ids::kSendRcon, {server.host(), port, "pw", "cmd"}), Variant("ok\n"));
}

void TestControlModel::membersByName() {
    QWidget window;
    auto control = platform::CreateControl(kProgId, &window);
    const platform::ClassInfo& info = control->TypeInfo();
    struct {
        const char* name;
        platform::DispId id;
    } members[] = {{"getStatus", ids::kGetStatus},
                   {"SENDRCON", ids::kSendRcon},
                   {"rconbreak", ids::kRconBreak}};
    for (const auto& member : members) {
        const platform::MemberInfo* found = platform::FindMember(info, member.name);
        QVERIFY2(found != nullptr, member.name);
        QCOMPARE(found->id, member.id);
    }
    QCOMPARE(platform::FindMember(info, "nothing"), nullptr);
    QCOMPARE(info.events.size(), std::size_t{2});
    QCOMPARE(info.events[0].id, ids::kEventError);
    QCOMPARE(info.events[1].id, ids::kEventPlayerItem);
}

void TestControlModel::controlOutlivedByItsObject() {
    auto window = std::make_unique<QWidget>();
    auto control = platform::CreateControl(kProgId, window.get());
    window.reset();  // destroys the control's window with it
    QCOMPARE(control->widget(), nullptr);
    QCOMPARE(control->Invoke(ids::kSendRcon, {"127.0.0.1", std::int32_t{1}, "pw", "cmd"}),
             Variant("RCON_ERROR"));
    QVERIFY(control->Invoke(ids::kGetStatus, {"127.0.0.1", std::int32_t{1}, "pw"}).IsEmpty());
    control.reset();
}

void TestControlModel::throwingEventSinkIsContained() {
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Reply("a\nb\nc\n  0 1 2 Ann  3 h:1 4 5\n"
                                                     "  1 1 2 Bob  3 h:1 4 5\n\n"));
    QWidget window;
    auto control = platform::CreateControl(kProgId, &window);
    int calls = 0;
    control->SetEventSink([&](platform::DispId, std::vector<Variant>&) {
        ++calls;
        throw std::runtime_error("host handler broke");
    });
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("host handler broke")));
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("host handler broke")));
    control->Invoke(ids::kGetStatus, {server.host(), server.port(), "pw"});
    QTRY_COMPARE(calls, 2);  // both PlayerItems delivered
}

void TestControlModel::entryPoints() {
    const QString library = ProgramFolderLibrary();
    auto getClassObject = EntryPoint<platform::DllGetClassObjectFn>(library, "DllGetClassObject");
    auto canUnload = EntryPoint<platform::DllCanUnloadNowFn>(library, "DllCanUnloadNow");
    QVERIFY(EntryPoint<platform::DllRegisterServerFn>(library, "DllRegisterServer"));
    QVERIFY(EntryPoint<platform::DllUnregisterServerFn>(library, "DllUnregisterServer"));
    QVERIFY(getClassObject && canUnload);

    void* factory = nullptr;
    QCOMPARE(getClassObject(kProgId.c_str(), platform::kControlModelVersion, &factory),
             platform::hresult::kOk);
    QVERIFY(factory != nullptr);
    QCOMPARE(getClassObject("Varnholt32.Other", platform::kControlModelVersion, &factory),
             platform::hresult::kClassNotAvailable);
    QCOMPARE(getClassObject(kProgId.c_str(), platform::kControlModelVersion + 1, &factory),
             platform::hresult::kNoInterface);
    QCOMPARE(getClassObject(kProgId.c_str(), platform::kControlModelVersion, nullptr),
             platform::hresult::kPointer);

    QCOMPARE(canUnload(), platform::hresult::kOk);
    {
        QWidget window;
        auto control = platform::CreateControl(kProgId, &window);
        QCOMPARE(canUnload(), platform::hresult::kFalse);
    }
    QCOMPARE(canUnload(), platform::hresult::kOk);
}

QTEST_MAIN(TestControlModel)
#include "test_controlmodel.moc"
