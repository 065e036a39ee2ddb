#include "rconctl/Varnholt.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostInfo>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <chrono>

#include "platform/Twips.h"
#include "rconctl/RconProtocol.h"
#include "rconctl/VarnholtIds.h"
#include "rconctl/basWSock32.h"

namespace varnholt {

namespace {

using Clock = std::chrono::steady_clock;

// The control keeps its size at 520 x 520 twips.
const int kSidePixels = platform::TwipsToPixels(520);

// A failure inside sendRcon or getStatus; caught there and turned into "RCON_ERROR".
struct ExchangeFailed {};

QByteArray ToBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QHostAddress Resolve(const std::string& host) {
    const QString name = QString::fromLatin1(host.data(), static_cast<qsizetype>(host.size()));
    QHostAddress address;
    if (address.setAddress(name)) {
        return address;
    }
    if (name.trimmed().isEmpty()) {
        return {};
    }
    const QHostInfo info = QHostInfo::fromName(name);
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        return {};
    }
    // Game servers listen on IPv4; take an IPv4 address when the name has one.
    for (const QHostAddress& candidate : info.addresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
            return candidate;
        }
    }
    return info.addresses().front();
}

}  // namespace

Varnholt::Varnholt(QWidget* parent)
    : QWidget(parent),
      rSock(new QUdpSocket(this)),
      mSock(new QUdpSocket(this)),
      Rcon_Timer(new QTimer(this)),
      StatusSock_Timer(new QTimer(this)),
      CleanUP_Timer(new QTimer(this)) {
    setObjectName(QStringLiteral("Varnholt"));
    rSock->setObjectName(QStringLiteral("rSock"));
    mSock->setObjectName(QStringLiteral("mSock"));
    Rcon_Timer->setObjectName(QStringLiteral("Rcon_Timer"));
    StatusSock_Timer->setObjectName(QStringLiteral("StatusSock_Timer"));
    CleanUP_Timer->setObjectName(QStringLiteral("CleanUP_Timer"));

    // Window timers, disabled until an exchange enables them. The two time-outs must
    // not fire early, so they are precise timers.
    Rcon_Timer->setInterval(1000);
    Rcon_Timer->setTimerType(Qt::PreciseTimer);
    StatusSock_Timer->setInterval(1500);
    StatusSock_Timer->setTimerType(Qt::PreciseTimer);
    CleanUP_Timer->setInterval(10000);

    connect(rSock, &QUdpSocket::readyRead, this, &Varnholt::OnRSockReadyRead);
    connect(rSock, &QUdpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::TemporaryError) {
            OnRSockError();
        }
    });
    connect(mSock, &QUdpSocket::readyRead, this, &Varnholt::OnMSockReadyRead);
    connect(mSock, &QUdpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::TemporaryError) {
            OnMSockError();
        }
    });
    connect(Rcon_Timer, &QTimer::timeout, this, &Varnholt::OnRconTimer);
    connect(StatusSock_Timer, &QTimer::timeout, this, &Varnholt::OnStatusSockTimer);
    connect(CleanUP_Timer, &QTimer::timeout, this, &Varnholt::OnCleanUpTimer);

    setFixedSize(kSidePixels, kSidePixels);
    sockStartup();
}

Varnholt::~Varnholt() {
    // A sendRcon still waiting on the stack (the host destroyed the control from an event inside
    // the wait) finds the control gone when its loop ends, and returns without touching it.
    for (QEventLoop* loop : waits_) {
        loop->quit();
    }
    sockCleanup();
}

QSize Varnholt::sizeHint() const {
    return {kSidePixels, kSidePixels};
}

void Varnholt::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size() != QSize(kSidePixels, kSidePixels)) {
        resize(kSidePixels, kSidePixels);
    }
}

void Varnholt::paintEvent(QPaintEvent*) {
    // The control's face: a 32 x 32 picture, a console prompt on a dark tile.
    QPainter painter(this);
    const QRect face(0, 0, 32, 32);
    painter.fillRect(face, QColor(0x20, 0x28, 0x30));
    painter.setPen(QColor(0xF0, 0xA0, 0x30));
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    painter.drawText(face, Qt::AlignCenter, QStringLiteral("Q3>"));
}

void Varnholt::SetEventSink(platform::EventSink sink) {
    sink_ = std::move(sink);
}

bool Varnholt::Aim(QUdpSocket* sock, const std::string& host, std::int32_t port, Target& target) {
    sock->close();
    target = {};
    if (port < 1 || port > 65535) {
        return false;
    }
    const QHostAddress address = Resolve(host);
    if (address.isNull()) {
        return false;
    }
    target = {address, static_cast<quint16>(port)};
    sock->connectToHost(address, target.port);
    return sock->state() == QAbstractSocket::ConnectedState;
}

bool Varnholt::ReadDatagram(QUdpSocket* sock, const Target& target, std::string& text,
                            bool& fromTarget) {
    const qint64 size = sock->pendingDatagramSize();
    if (size < 0) {
        return false;
    }
    std::string data(static_cast<std::size_t>(size), '\0');
    QHostAddress sender;
    quint16 senderPort = 0;
    const qint64 read = sock->readDatagram(data.data(), size, &sender, &senderPort);
    if (read < 0) {
        return false;
    }
    data.resize(static_cast<std::size_t>(read));
    fromTarget = senderPort == target.port &&
                 sender.isEqual(target.address, QHostAddress::ConvertV4MappedToIPv4);
    text = std::move(data);
    return true;
}

void Varnholt::Wake() {
    for (QEventLoop* loop : waits_) {
        loop->quit();
    }
}

// ---- sendRcon ----

std::string Varnholt::sendRcon(const std::string& sckRemoteHost, std::int32_t sckRemotePort,
                               const std::string& RemotePass, const std::string& RconCommand,
                               std::int32_t sckTimeOut) noexcept {
    QPointer<Varnholt> self(this);
    try {
        const Clock::time_point start = Clock::now();  // 1
        replyBuffer.clear();                           // 2
        awaitingReply = true;
        sockStartup();  // 3
        // 4
        if (!Aim(rSock, sckRemoteHost, sckRemotePort, rTarget_)) {
            throw ExchangeFailed{};
        }
        const QByteArray request = ToBytes(BuildRequest(RemotePass, RconCommand));
        if (rSock->write(request) != request.size()) {
            throw ExchangeFailed{};
        }
        QCoreApplication::processEvents();  // 5
        if (!self) {
            return std::string(kRconError);
        }
        Rcon_Timer->setInterval(SelectTimeOut(sckTimeOut));  // 6
        Rcon_Timer->start();
        // 7: wait in a nested event loop. It sleeps until an event comes; the handlers that end
        // the wait (reply, time-out, socket error, rconBreak, a call that took the exchange
        // over) quit it, and its own deadline wakes it for the 5000 ms limit.
        while (awaitingReply) {
            const Clock::duration elapsed = Clock::now() - start;
            if (elapsed > kWaitCap) {
                replyBuffer = std::string(kRconTimeout);
                awaitingReply = false;
                break;
            }
            const auto remaining =
                std::chrono::ceil<std::chrono::milliseconds>(kWaitCap - elapsed) +
                std::chrono::milliseconds(1);
            QEventLoop loop;
            QTimer deadline;
            deadline.setSingleShot(true);
            deadline.setTimerType(Qt::PreciseTimer);
            QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
            deadline.start(static_cast<int>(remaining.count()));
            waits_.push_back(&loop);
            loop.exec();
            if (!self) {
                return std::string(kRconError);
            }
            waits_.erase(std::find(waits_.begin(), waits_.end(), &loop));
        }
        std::string result = replyBuffer;  // 8
        CleanUP_Timer->start();            // 9
        return result;
    } catch (...) {
        if (self) {
            awaitingReply = false;
            rSock->close();
            Wake();
        }
        return std::string(kRconError);
    }
}

void Varnholt::OnRSockReadyRead() {
    if (!rSock->hasPendingDatagrams()) {
        // A connected UDP socket that turns readable without a datagram carries an error (the
        // server's "port unreachable"); Qt has consumed the error code itself.
        OnRSockError();
        return;
    }
    while (rSock->hasPendingDatagrams()) {
        std::string text;
        bool fromTarget = false;
        if (!ReadDatagram(rSock, rTarget_, text, fromTarget)) {
            replyBuffer = std::string(kRconError);
            awaitingReply = false;
            rSock->close();
            Wake();
            return;
        }
        if (!fromTarget) {
            continue;  // not from the server the request went to: dropped unread
        }
        Rcon_Timer->stop();
        text = StripReplyHeaders(text);
        replyBuffer += text;
        if (IsBadPassword(text)) {
            replyBuffer = std::string(kRconBadPass);
        }
        awaitingReply = false;
    }
    Wake();
}

void Varnholt::OnRSockError() {
    Rcon_Timer->stop();
    replyBuffer = std::string(kRconError);
    rSock->close();
    awaitingReply = false;
    Wake();
}

void Varnholt::OnRconTimer() {
    Rcon_Timer->stop();
    replyBuffer = std::string(kRconTimeout);
    awaitingReply = false;
    Wake();
}

void Varnholt::rconBreak() noexcept {
    awaitingReply = false;
    Wake();
}

void Varnholt::OnCleanUpTimer() {
    CleanUP_Timer->stop();
    sockCleanup();
}

// ---- getStatus ----

void Varnholt::getStatus(const std::string& RemoteHost, std::int32_t RemotePort,
                         const std::string& RemotePass, std::int32_t sckTimeOut) noexcept {
    QPointer<Varnholt> self(this);
    try {
        replyBuffer.clear();  // 1
        sockStartup();        // 2
        // 3
        if (!Aim(mSock, RemoteHost, RemotePort, mTarget_)) {
            throw ExchangeFailed{};
        }
        const QByteArray request = ToBytes(BuildRequest(RemotePass, "status"));
        if (mSock->write(request) != request.size()) {
            throw ExchangeFailed{};
        }
        StatusSock_Timer->setInterval(SelectTimeOut(sckTimeOut));  // 4
        StatusSock_Timer->start();
        CleanUP_Timer->start();  // 5
    } catch (...) {
        if (self) {
            RaiseError(kRconError);
        }
        if (self) {
            mSock->close();
        }
    }
}

void Varnholt::OnMSockReadyRead() {
    QPointer<Varnholt> self(this);
    if (!mSock->hasPendingDatagrams()) {
        OnMSockError();  // see OnRSockReadyRead
        return;
    }
    while (self && mSock->state() != QAbstractSocket::UnconnectedState &&
           mSock->hasPendingDatagrams()) {
        try {
            std::string text;
            bool fromTarget = false;
            if (!ReadDatagram(mSock, mTarget_, text, fromTarget)) {
                throw ExchangeFailed{};
            }
            if (!fromTarget) {
                continue;  // dropped unread
            }
            StatusSock_Timer->stop();        // 1
            text = StripReplyHeaders(text);  // 2, 3
            replyBuffer += text;             // 4
            if (IsBadPassword(text)) {       // 5
                RaiseError(kRconBadPass);
                continue;
            }
            if (!EndsStatusAnswer(text)) {  // 6
                continue;
            }
            replyBuffer.resize(replyBuffer.size() - 2);  // 7
            const std::string answer = replyBuffer;
            parseStatus(answer);
        } catch (...) {
            if (self) {
                RaiseError(kRconError);
            }
            if (self) {
                mSock->close();
            }
            return;
        }
    }
}

void Varnholt::OnMSockError() {
    QPointer<Varnholt> self(this);
    RaiseError(kRconError);
    if (self) {
        mSock->close();
    }
}

void Varnholt::OnStatusSockTimer() {
    QPointer<Varnholt> self(this);
    StatusSock_Timer->stop();
    RaiseError(kRconTimeout);
    if (self) {
        mSock->close();
    }
}

void Varnholt::parseStatus(const std::string& answer) {
    QPointer<Varnholt> self(this);
    std::vector<std::string> lines;
    const int count = splitLimited(answer, "\n", lines, kStatusLineLimit);
    for (int i = 4; i <= count; ++i) {
        const nPlayerStruct player = parsePlayerLine(lines[static_cast<std::size_t>(i - 1)]);
        Raise(ids::kEventPlayerItem, {platform::Variant(ToRecord(player))});
        if (!self) {
            return;
        }
    }
}

void Varnholt::Raise(platform::DispId event, std::vector<platform::Variant> args) {
    // A copy: the host may replace the sink, or destroy the control, from inside its handler.
    const platform::EventSink sink = sink_;
    if (sink) {
        sink(event, args);
    }
}

void Varnholt::RaiseError(std::string_view word) {
    Raise(ids::kEventError, {platform::Variant(std::string(word))});
}

}  // namespace varnholt
