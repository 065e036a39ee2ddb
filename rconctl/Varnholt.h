#pragma once
// The control Varnholt (Parts 6.1 and 6.2): a small window that sends Quake 3 rcon commands over
// UDP (sendRcon, blocking with the host's events running), asks for the player list (getStatus,
// players reported through events) and ends a wait early (rconBreak). Hosts reach it only
// through the control model; this header is for the library itself.

#include <QHostAddress>
#include <QWidget>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dispatch.h"

class QEventLoop;
class QTimer;
class QUdpSocket;

namespace varnholt {

class Varnholt : public QWidget {
    Q_OBJECT

  public:
    explicit Varnholt(QWidget* parent = nullptr);
    ~Varnholt() override;

    // Sends one command and waits for its reply: the reply text (headers removed), or
    // "RCON_TIMEOUT", "RCON_ERROR", "RCON_BADPASS". The host's events run during the wait.
    std::string sendRcon(const std::string& sckRemoteHost, std::int32_t sckRemotePort,
                         const std::string& RemotePass, const std::string& RconCommand,
                         std::int32_t sckTimeOut = 1500) noexcept;
    // Sends "status" and returns at once; the answer raises PlayerItem per player, failures
    // raise Error.
    void getStatus(const std::string& RemoteHost, std::int32_t RemotePort,
                   const std::string& RemotePass, std::int32_t sckTimeOut = 1500) noexcept;
    // Ends a waiting sendRcon at its next pass.
    void rconBreak() noexcept;

    // The one receiver of the events Error (1) and PlayerItem (2).
    void SetEventSink(platform::EventSink sink);

    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Target {
        QHostAddress address;
        quint16 port = 0;
    };

    // Close, then aim the socket at (host, port): resolve the host and connect the UDP socket, so
    // that only that peer's datagrams arrive and its "port unreachable" reaches us as an error.
    bool Aim(QUdpSocket* sock, const std::string& host, std::int32_t port, Target& target);
    // Reads the next datagram; false when reading failed. `fromTarget` tells whether it came
    // from the address and port the request went to.
    static bool ReadDatagram(QUdpSocket* sock, const Target& target, std::string& text,
                             bool& fromTarget);

    void OnRSockReadyRead();
    void OnRSockError();
    void OnRconTimer();
    void OnMSockReadyRead();
    void OnMSockError();
    void OnStatusSockTimer();
    void OnCleanUpTimer();
    void parseStatus(const std::string& answer);

    void Raise(platform::DispId event, std::vector<platform::Variant> args);
    void RaiseError(std::string_view word);
    // Ends the nested event loops of waiting sendRcon calls, so each looks at awaitingReply.
    void Wake();

    QUdpSocket* rSock;
    QUdpSocket* mSock;
    QTimer* Rcon_Timer;
    QTimer* StatusSock_Timer;
    QTimer* CleanUP_Timer;

    std::string replyBuffer;
    bool awaitingReply = false;

    Target rTarget_;
    Target mTarget_;
    std::vector<QEventLoop*> waits_;
    platform::EventSink sink_;
};

}  // namespace varnholt
