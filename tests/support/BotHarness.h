#pragma once
// A whole bot with its real window in a temporary program folder and a fake game server on
// 127.0.0.1, for tests that drive the core and read what it reported in the status log.

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bot/core/Bot.h"
#include "bot/ui/FrmFrontend.h"
#include "bot/ui/StatusLog.h"
#include "tests/fixtures/FakeGameServer.h"
#include "tests/support/Files.h"

namespace quorvane::test {

// The messages of a status log, without the CR LF and time stamp in front of each entry.
inline std::vector<std::string> MessagesOf(const std::string& log) {
    std::vector<std::string> messages;
    std::size_t pos = 0;
    while ((pos = log.find("\r\n[", pos)) != std::string::npos) {
        const std::size_t start = log.find("] ", pos) + 2;
        std::size_t next = log.find("\r\n[", start);
        messages.push_back(log.substr(start, next == std::string::npos ? next : next - start));
        pos = start;
    }
    return messages;
}

using quorvane::testing::FakeGameServer;

// The answer of a real server to a variable query, value with its trailing ^7.
inline quorvane::testing::Response VariableReply(const std::string& name,
                                                 const std::string& value) {
    return FakeGameServer::Reply("\"" + name + "\" is:\"" + value + "^7\" default:\"^7\"\n");
}

// A server with PunkBuster, private slots, a name and a rotation; other commands get the bare
// header, as say and tell do on a real server.
inline void ScriptNormalServer(FakeGameServer& server) {
    server.SetDefaultResponse(FakeGameServer::Reply(""));
    server.OnCommand("sv_punkbuster", VariableReply("sv_punkbuster", "1"));
    server.OnCommand("g_gametype", VariableReply("g_gametype", "tdm"));
    server.OnCommand("sv_privateclients", VariableReply("sv_privateclients", "2"));
    server.OnCommand("sv_hostname", VariableReply("sv_hostname", "Test Server"));
    server.OnCommand("sv_maprotation",
                     VariableReply("sv_maprotation", "gametype sd map mp_carentan map mp_harbor"));
    server.OnCommand("mapname", VariableReply("mapname", "mp_harbor"));
}

class BotHarness {
  public:
    // The control registry is the test's own, so a library an admin registered is not used.
    BotHarness()
        : bot((QStandardPaths::setTestModeEnabled(true), folder.path().toStdString()), window) {
        window.AttachBot(&bot);
        ScriptNormalServer(server);
        bot.gateway.SetCommandPauseForTests(0);
    }

    std::string Path(const std::string& name) const {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }

    // Writes settings.txt from key/value pairs, in the file's own format.
    void WriteSettings(const std::vector<std::pair<std::string, std::string>>& pairs) {
        std::string text;
        for (const auto& [key, value] : pairs) {
            text += '"' + key + "\",\"" + value + "\"\r\n";
        }
        WriteBytes(Path("settings.txt"), text);
    }

    // A folder in which a start succeeds: a log file and the three list files exist, and
    // settings.txt points at them; extra pairs replace or join the defaults.
    void PrepareFolder(const std::vector<std::pair<std::string, std::string>>& extra = {}) {
        for (const char* name : {"games_mp.log", "customcmd.txt", "adverts.txt", "badwords.txt"}) {
            if (!std::filesystem::exists(Path(name))) {
                WriteBytes(Path(name), "");
            }
        }
        std::vector<std::pair<std::string, std::string>> pairs{
            {"cod_logfile", Path("games_mp.log")},
            {"log_interval", "5000"},
            {"cod_serverip", server.host()},
            {"cod_serverport", std::to_string(server.port())},
            {"cod_rconpassword", "secret"}};
        for (const auto& pair : extra) {
            const std::string& key = pair.first;
            const std::string& value = pair.second;
            const auto it = std::find_if(pairs.begin(), pairs.end(),
                                         [&key](const auto& pair) { return pair.first == key; });
            if (it != pairs.end()) {
                it->second = value;
            } else {
                pairs.emplace_back(key, value);
            }
        }
        WriteSettings(pairs);
    }

    // The rcon commands the server received, in order.
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        for (const auto& datagram : server.received()) {
            commands.push_back(datagram.command);
        }
        return commands;
    }

    std::vector<std::string> Messages() const { return MessagesOf(window.txtStatus().logText()); }

    // Messages reported since the mark was taken.
    std::size_t Mark() const { return Messages().size(); }
    std::vector<std::string> MessagesSince(std::size_t mark) const {
        const auto all = Messages();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(mark, all.size())), all.end()};
    }

    QTemporaryDir folder;
    FakeGameServer server;
    FrmFrontend window;
    Bot bot;
};

}  // namespace quorvane::test
