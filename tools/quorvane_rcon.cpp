// quorvane-rcon: a command-line host of the control Varnholt32.Varnholt. It creates the control
// through the control model by its programmatic identifier, exactly as the bot does, and calls it
// by dispatch identifier: one rcon command, the player list, or (un)registration of the library.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "Version.h"
#include "platform/ControlModel.h"
#include "rconctl/VarnholtIds.h"

namespace {

namespace ids = varnholt::ids;
using platform::Variant;

enum ExitStatus : int {
    kExitReply = 0,
    kExitUsage = 1,
    kExitTimeout = 2,
    kExitError = 3,
    kExitBadPass = 4,
    kExitControlModel = 5,
};

const char kHelp[] =
    "Usage:\n"
    "  quorvane-rcon [--timeout MS] HOST PORT PASSWORD COMMAND...\n"
    "  quorvane-rcon --status [--timeout MS] HOST PORT PASSWORD\n"
    "  quorvane-rcon --register [LIBRARY]\n"
    "  quorvane-rcon --unregister [LIBRARY]\n"
    "  quorvane-rcon --help | --version\n"
    "\n"
    "Talks to a Quake-3-protocol game server (Call of Duty, United Offensive, Call of Duty 2)\n"
    "through its remote console, using the control Varnholt32.Varnholt as the bot does.\n"
    "\n"
    "  COMMAND...      the console command; its words are joined by single spaces. The\n"
    "                  server's reply is printed unchanged on standard output.\n"
    "  --status        ask for the player list; one line per player, the fields Slot, Score,\n"
    "                  Host, Ping, Rate, qPort, LastMsg and PlayerName separated by tabs.\n"
    "                  Failures are printed on standard error as their reply word. It ends\n"
    "                  once the time-out has passed.\n"
    "  --timeout MS    reply time-out in milliseconds; 100 to 5000, anything else means\n"
    "                  1500 (the default when the option is left out).\n"
    "  --register      record the control library (default: Varnholt32 in this program's\n"
    "                  folder) in the per-user control registry, so hosts elsewhere find it.\n"
    "  --unregister    remove that record again.\n"
    "  --              ends the options (for a PASSWORD or COMMAND that begins with --).\n"
    "\n"
    "Exit status: 0 a reply (or a player list), 1 usage error, 2 RCON_TIMEOUT,\n"
    "3 RCON_ERROR, 4 RCON_BADPASS, 5 the control could not be created or registered.\n";

enum class Mode { Command, Status, Register, Unregister, Help, Version };

struct Options {
    Mode mode = Mode::Command;
    std::optional<std::int32_t> timeout;
    std::vector<std::string> positional;
};

std::optional<std::int32_t> ParseInt32(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

void Usage(const std::string& problem) {
    std::fprintf(stderr, "quorvane-rcon: %s\nTry 'quorvane-rcon --help'.\n", problem.c_str());
}

// Options come first; the first word that is not an option (or "--") starts the positional
// arguments, so command words that begin with a dash reach the server unchanged.
std::optional<Options> ParseArguments(const std::vector<std::string>& args) {
    Options options;
    std::size_t i = 1;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            break;
        }
        if (arg == "--help" || arg == "-h") {
            options.mode = Mode::Help;
            return options;
        }
        if (arg == "--version") {
            options.mode = Mode::Version;
            return options;
        }
        if (arg == "--status") {
            options.mode = Mode::Status;
        } else if (arg == "--register") {
            options.mode = Mode::Register;
        } else if (arg == "--unregister") {
            options.mode = Mode::Unregister;
        } else if (arg == "--timeout" || arg.rfind("--timeout=", 0) == 0) {
            std::string value;
            if (arg == "--timeout") {
                if (++i >= args.size()) {
                    Usage("--timeout needs a value in milliseconds");
                    return std::nullopt;
                }
                value = args[i];
            } else {
                value = arg.substr(std::strlen("--timeout="));
            }
            options.timeout = ParseInt32(value);
            if (!options.timeout) {
                Usage("--timeout needs a whole number of milliseconds, not '" + value + "'");
                return std::nullopt;
            }
        } else {
            Usage("unknown option '" + arg + "'");
            return std::nullopt;
        }
    }
    options.positional.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());

    const std::size_t count = options.positional.size();
    switch (options.mode) {
        case Mode::Command:
            if (count < 4) {
                Usage("expected HOST PORT PASSWORD COMMAND...");
                return std::nullopt;
            }
            break;
        case Mode::Status:
            if (count != 3) {
                Usage("--status expects HOST PORT PASSWORD");
                return std::nullopt;
            }
            break;
        case Mode::Register:
        case Mode::Unregister:
            if (count > 1 || options.timeout) {
                Usage("--register and --unregister take at most a LIBRARY file");
                return std::nullopt;
            }
            return options;
        default:
            break;
    }
    if (!ParseInt32(options.positional[1])) {
        Usage("PORT must be a whole number, not '" + options.positional[1] + "'");
        return std::nullopt;
    }
    return options;
}

// Standard error carries the reply words of --status and our own messages only: Qt's debug and
// warning chatter (such as the offscreen platform's) would spoil it for scripts.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "quorvane-rcon: %s\n", qPrintable(message));
    }
}

int ExitFor(const std::string& word) {
    if (word == ids::kRconTimeout) {
        return kExitTimeout;
    }
    if (word == ids::kRconError) {
        return kExitError;
    }
    if (word == ids::kRconBadPass) {
        return kExitBadPass;
    }
    return kExitReply;
}

void Write(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

Variant TimeoutArgument(const Options& options) {
    return options.timeout ? Variant(*options.timeout) : Variant::Missing();
}

int RunRegistration(const Options& options) {
    const QString library = options.positional.empty()
                                ? QDir(QCoreApplication::applicationDirPath())
                                      .filePath(platform::LibraryFileName("Varnholt32"))
                                : QString::fromLocal8Bit(options.positional[0].c_str());
    const bool registering = options.mode == Mode::Register;
    try {
        if (registering) {
            platform::RegisterServer(library);
        } else {
            platform::UnregisterServer(library);
        }
    } catch (const platform::ControlError& e) {
        std::fprintf(stderr, "quorvane-rcon: %s\n", e.what());
        return kExitControlModel;
    }
    std::printf("%s %s (registry %s)\n", registering ? "Registered" : "Unregistered",
                qPrintable(QDir::toNativeSeparators(QFileInfo(library).absoluteFilePath())),
                qPrintable(QDir::toNativeSeparators(platform::RegistryFilePath())));
    return kExitReply;
}

int RunCommand(platform::DispatchObject& control, const Options& options) {
    std::string command;
    for (std::size_t i = 3; i < options.positional.size(); ++i) {
        command += (i > 3 ? " " : "") + options.positional[i];
    }
    const Variant result =
        control.Invoke(ids::kSendRcon, {options.positional[0], *ParseInt32(options.positional[1]),
                                        options.positional[2], command, TimeoutArgument(options)});
    const std::string text = result.ToText();
    Write(stdout, text);
    return ExitFor(text);
}

int RunStatus(QApplication& app, platform::DispatchObject& control, const Options& options) {
    std::optional<int> status;
    control.SetEventSink([&](platform::DispId event, std::vector<Variant>& args) {
        if (event == ids::kEventPlayerItem && !args.empty()) {
            Write(stdout, args[0].ToText() + "\n");
        } else if (event == ids::kEventError && !args.empty()) {
            const std::string word = args[0].ToText();
            Write(stderr, word + "\n");
            if (!status) {
                status = ExitFor(word) == kExitReply ? kExitError : ExitFor(word);
                app.quit();
            }
        }
    });
    control.Invoke(ids::kGetStatus, {options.positional[0], *ParseInt32(options.positional[1]),
                                     options.positional[2], TimeoutArgument(options)});
    if (!status) {
        // No event marks the end of a player list. A silent server is reported by the control
        // when the time-out runs out; a server that answered has printed its players by the time
        // the time-out has passed, a little later.
        const std::int32_t requested = options.timeout.value_or(1500);
        const int chosen = (requested < 100 || requested > 5000) ? 1500 : requested;
        QTimer::singleShot(chosen + 250, &app, [&] {
            if (!status) {
                status = kExitReply;
            }
            app.quit();
        });
        app.exec();
    }
    control.SetEventSink({});
    return *status;
}

}  // namespace

int main(int argc, char** argv) {
    // The arguments are taken before Qt sees them, so that command words such as "-style" are
    // not read as Qt options.
    const std::vector<std::string> args(argv, argv + argc);
    const std::optional<Options> options = ParseArguments(args);
    if (!options) {
        return kExitUsage;
    }
    if (options->mode == Mode::Help) {
        std::fputs(kHelp, stdout);
        return kExitReply;
    }
    if (options->mode == Mode::Version) {
        std::printf("quorvane-rcon %s\n", quorvane::kVersionText);
        return kExitReply;
    }
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // replies are printed byte for byte
#endif
    // The control is a window; without a display it lives on Qt's offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
#if !defined(_WIN32) && !defined(__APPLE__)
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    }
    qInstallMessageHandler(QuietMessages);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    if (options->mode == Mode::Register || options->mode == Mode::Unregister) {
        return RunRegistration(*options);
    }

    QWidget hostWindow;  // the hidden window the control is placed on, as the bot's frmCoD
    std::unique_ptr<platform::DispatchObject> control;
    try {
        control = platform::CreateControl(std::string(ids::kProgId), &hostWindow);
    } catch (const platform::ControlError& e) {
        std::fprintf(stderr, "quorvane-rcon: %s\n", e.what());
        return kExitControlModel;
    }
    const int status = options->mode == Mode::Status ? RunStatus(app, *control, *options)
                                                     : RunCommand(*control, *options);
    control.reset();
    return status;
}
