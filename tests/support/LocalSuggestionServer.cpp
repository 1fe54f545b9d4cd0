#include "support/LocalSuggestionServer.h"

#include <QFile>
#include <QHostAddress>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <condition_variable>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace {

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 404:
        return "Not Found";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

QByteArray Head(const ServerReply& reply, qsizetype contentLength, bool close = true) {
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + ReasonPhrase(reply.status) + "\r\n";
    for (const auto& [name, value] : reply.headers)
        head += name + ": " + value + "\r\n";
    head += "Content-Length: " + QByteArray::number(contentLength) + "\r\n";
    if (close)
        head += "Connection: close\r\n";
    head += "\r\n";
    return head;
}

ReceivedRequest ParseRequest(QByteArrayView head) {
    ReceivedRequest request;
    const QList<QByteArray> lines = head.toByteArray().split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            request.headers.append({line.first(colon).trimmed(), line.sliced(colon + 1).trimmed()});
    }
    return request;
}

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("LocalSuggestionServer: %s: %s", qPrintable(path), qPrintable(file.errorString()));
    return file.readAll();
}

// One accepted connection: reads a request head, then plays the reply's mode. Only a
// kept-alive Answer goes back to reading; every other reply is the connection's last.
class Connection : public QObject {
public:
    Connection(QTcpSocket* socket, LocalSuggestionServer& owner, int index, bool keepAlive,
               QByteArray base)
        : QObject(socket), m_socket(socket), m_owner(owner), m_index(index), m_keepAlive(keepAlive),
          m_base(std::move(base)) {
        connect(socket, &QTcpSocket::readyRead, this, &Connection::Read);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void Read() {
        const QByteArray data = m_socket->readAll();
        if (m_done)
            return;
        m_pending += data;
        ServeNext();
    }

    void ServeNext() {
        if (m_done || m_playing)
            return;
        const qsizetype end = m_pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        ReceivedRequest request = ParseRequest(QByteArrayView(m_pending).first(end));
        request.received = std::chrono::steady_clock::now();
        request.connection = m_index;
        // Requests carry no body: what follows the head is the next request.
        m_pending.remove(0, end + 4);
        const ServerReply reply = m_owner.TakeReply(request);
        m_playing = true;
        m_done = !m_keepAlive || reply.mode != ServerReply::Mode::Answer;
        Play(reply, request);
    }

    void Play(const ServerReply& reply, const ReceivedRequest& request) {
        switch (reply.mode) {
        case ServerReply::Mode::Answer:
            PlayAnswer(reply, request);
            break;
        case ServerReply::Mode::Silent:
            break;
        case ServerReply::Mode::Chunks:
            PlayChunks(reply);
            break;
        case ServerReply::Mode::CloseHalfway:
            m_socket->write(Head(reply, reply.body.size()) + reply.body.first(reply.sentBytes));
            m_socket->disconnectFromHost();
            break;
        case ServerReply::Mode::Reset:
            m_socket->write(Head(reply, reply.body.size()) + reply.body.first(reply.sentBytes));
            m_socket->flush();
            // Give the client time to read what was sent before the reset discards it.
            QTimer::singleShot(200, this, [this] { ResetConnection(); });
            break;
        case ServerReply::Mode::Trickle:
            PlayTrickle(reply);
            break;
        case ServerReply::Mode::RedirectLoop: {
            ServerReply redirect = reply;
            redirect.status = 301;
            redirect.headers.append({"Location", m_base + request.target});
            m_socket->write(Head(redirect, 0));
            m_socket->disconnectFromHost();
            break;
        }
        }
    }

    void PlayAnswer(const ServerReply& reply, const ReceivedRequest& request) {
        const QByteArray bytes = Head(reply, reply.body.size(), m_done) + reply.body;
        if (reply.delayMs <= 0) {
            WriteAnswer(bytes);
            return;
        }
        using namespace std::chrono;
        const auto due = request.received + milliseconds(reply.delayMs);
        const milliseconds wait = std::max(ceil<milliseconds>(due - steady_clock::now()), 0ms);
        // A coarse timer may fire early, and the delay is a lower bound tests rely on.
        QTimer::singleShot(wait, Qt::PreciseTimer, this, [this, bytes] { WriteAnswer(bytes); });
    }

    void WriteAnswer(const QByteArray& bytes) {
        m_socket->write(bytes);
        if (m_done) {
            m_socket->disconnectFromHost();
            return;
        }
        m_playing = false;
        ServeNext();
    }

    void PlayChunks(const ServerReply& reply) {
        const int parts = std::max(1, reply.chunks);
        const qsizetype size = reply.body.size();
        m_socket->write(Head(reply, size));
        for (int part = 0; part < parts; ++part) {
            const qsizetype from = size * part / parts;
            const QByteArray piece = reply.body.sliced(from, size * (part + 1) / parts - from);
            const bool last = part + 1 == parts;
            QTimer::singleShot(part * reply.delayMs, this, [this, piece, last] {
                m_socket->write(piece);
                if (last)
                    m_socket->disconnectFromHost();
            });
        }
    }

    void PlayTrickle(const ServerReply& reply) {
        const QByteArray bytes = reply.body.isEmpty() ? QByteArray("x") : reply.body;
        m_socket->write(Head(reply, 1000000000));
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this,
                [this, bytes] { m_socket->write(bytes.sliced(m_trickled++ % bytes.size(), 1)); });
        timer->start(reply.delayMs);
    }

    void ResetConnection() {
#ifdef Q_OS_UNIX
        // Linger 0 makes close() send RST instead of FIN.
        const linger abortive{1, 0};
        ::setsockopt(static_cast<int>(m_socket->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                     &abortive, sizeof abortive);
#endif
        m_socket->abort();
    }

    QTcpSocket* m_socket;
    LocalSuggestionServer& m_owner;
    int m_index;
    bool m_keepAlive;
    QByteArray m_base;
    QByteArray m_pending;
    bool m_playing = false;
    bool m_done = false;
    qsizetype m_trickled = 0;
};

// Counts every accepted connection, also one whose handshake will fail, and starts TLS
// itself instead of leaving the handshake to QSslServer, which would hide the socket
// until the handshake succeeded.
class Listener : public QTcpServer {
public:
    Listener(LocalSuggestionServer& owner, const LocalSuggestionServer::Options& options)
        : m_owner(owner), m_options(options) {
        if (m_options.tls) {
            m_certificate = LocalServerCertificate();
            m_key = QSslKey(ReadResource(QStringLiteral(":/orvalis_testsupport/tls/key.pem")),
                            QSsl::Ec);
            if (m_key.isNull())
                qFatal("LocalSuggestionServer: the private key does not load");
        }
    }

protected:
    void incomingConnection(qintptr descriptor) override {
        QSslSocket* tls = m_options.tls ? new QSslSocket(this) : nullptr;
        QTcpSocket* socket = tls ? tls : new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        const int index = m_owner.AddConnection();
        const QByteArray base = (m_options.tls ? "https://127.0.0.1:" : "http://127.0.0.1:") +
                                QByteArray::number(serverPort());
        new Connection(socket, m_owner, index, m_options.keepAlive, base);
        if (tls) {
            tls->setLocalCertificate(m_certificate);
            tls->setPrivateKey(m_key);
            tls->startServerEncryption();
        }
    }

private:
    LocalSuggestionServer& m_owner;
    LocalSuggestionServer::Options m_options;
    QSslCertificate m_certificate;
    QSslKey m_key;
};

} // namespace

// Owns the listening socket and every connection; all of them are made, used and
// destroyed inside run(), so no Qt object crosses threads. The port is handed back
// through a standard mutex and condition variable, which ThreadSanitizer can see.
class ServerThread : public QThread {
public:
    ServerThread(LocalSuggestionServer& owner, const LocalSuggestionServer::Options& options)
        : m_owner(owner), m_options(options) {
        setObjectName(QStringLiteral("LocalSuggestionServer"));
    }

    quint16 WaitForPort() {
        std::unique_lock lock(m_mutex);
        m_listening.wait(lock, [this] { return m_port != 0; });
        return m_port;
    }

protected:
    void run() override {
        Listener server(m_owner, m_options);
        if (!server.listen(QHostAddress::LocalHost, 0))
            qFatal("LocalSuggestionServer: %s", qPrintable(server.errorString()));
        const quint16 port = server.serverPort();
        {
            const std::lock_guard lock(m_mutex);
            m_port = port;
        }
        m_listening.notify_all();
        exec();
        server.close();
        // Direct children only: a QSslSocket holds a plain socket of its own.
        for (QTcpSocket* socket : server.findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly))
            socket->abort();
    }

private:
    LocalSuggestionServer& m_owner;
    LocalSuggestionServer::Options m_options;
    std::mutex m_mutex;
    std::condition_variable m_listening;
    quint16 m_port = 0;
};

ServerReply ServerReply::Answer(QByteArray body, int status, QByteArray contentType) {
    ServerReply reply;
    reply.status = status;
    reply.body = std::move(body);
    if (!contentType.isEmpty())
        reply.headers.append({"Content-Type", std::move(contentType)});
    return reply;
}

ServerReply ServerReply::Silent() {
    ServerReply reply;
    reply.mode = Mode::Silent;
    return reply;
}

ServerReply ServerReply::Chunks(QByteArray body, int chunks, int delayMs) {
    ServerReply reply = Answer(std::move(body));
    reply.mode = Mode::Chunks;
    reply.chunks = chunks;
    reply.delayMs = delayMs;
    return reply;
}

ServerReply ServerReply::CloseHalfway(QByteArray body, qsizetype sentBytes) {
    ServerReply reply = Answer(std::move(body));
    reply.mode = Mode::CloseHalfway;
    reply.sentBytes = sentBytes;
    return reply;
}

ServerReply ServerReply::Reset(QByteArray body, qsizetype sentBytes) {
    ServerReply reply = CloseHalfway(std::move(body), sentBytes);
    reply.mode = Mode::Reset;
    return reply;
}

ServerReply ServerReply::Trickle(int delayMs) {
    ServerReply reply = Answer("x");
    reply.mode = Mode::Trickle;
    reply.delayMs = delayMs;
    return reply;
}

ServerReply ServerReply::RedirectLoop() {
    ServerReply reply = Answer({}, 301, {});
    reply.mode = Mode::RedirectLoop;
    return reply;
}

ServerReply ServerReply::Redirect(QByteArray location) {
    ServerReply reply = Answer({}, 301, {});
    reply.headers.append({"Location", std::move(location)});
    return reply;
}

QString ReceivedRequest::Query() const {
    const qsizetype start = target.indexOf("q=", target.indexOf('?') + 1);
    if (start < 0)
        return {};
    const qsizetype from = start + 2;
    const qsizetype end = target.indexOf('&', from);
    QByteArray value = target.mid(from, end < 0 ? -1 : end - from);
    value.replace('+', ' ');
    return QUrl::fromPercentEncoding(value);
}

QByteArray ReceivedRequest::Header(QByteArrayView name) const {
    for (const auto& [headerName, value] : headers) {
        if (QByteArrayView(headerName).compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

LocalSuggestionServer::LocalSuggestionServer(Options options)
    : m_defaultReply(ServerReply::Answer({})), m_options(options),
      m_thread(std::make_unique<ServerThread>(*this, m_options)) {
    m_thread->start();
    m_port = m_thread->WaitForPort();
}

LocalSuggestionServer::~LocalSuggestionServer() {
    m_thread->quit();
    m_thread->wait();
    // The server thread's last use of the queue and the log was under this lock.
    const std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_responder = nullptr;
    m_requests.clear();
}

QByteArray LocalSuggestionServer::BaseAddress() const {
    return (m_options.tls ? "https://127.0.0.1:" : "http://127.0.0.1:") +
           QByteArray::number(m_port);
}

void LocalSuggestionServer::SetDefaultReply(const ServerReply& reply) {
    const std::lock_guard lock(m_mutex);
    m_defaultReply = reply;
}

void LocalSuggestionServer::QueueReply(const ServerReply& reply) {
    const std::lock_guard lock(m_mutex);
    m_queue.push_back(reply);
}

QList<ReceivedRequest> LocalSuggestionServer::Requests() const {
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

void LocalSuggestionServer::SetResponder(Responder responder) {
    const std::lock_guard lock(m_mutex);
    m_responder = std::move(responder);
}

qsizetype LocalSuggestionServer::RequestCount() const {
    const std::lock_guard lock(m_mutex);
    return m_requests.size();
}

int LocalSuggestionServer::ConnectionCount() const {
    const std::lock_guard lock(m_mutex);
    return m_connections;
}

int LocalSuggestionServer::AddConnection() {
    const std::lock_guard lock(m_mutex);
    return m_connections++;
}

ServerReply LocalSuggestionServer::TakeReply(const ReceivedRequest& request) {
    Responder responder;
    int index = 0;
    {
        const std::lock_guard lock(m_mutex);
        index = static_cast<int>(m_requests.size());
        m_requests.append(request);
        if (!m_responder) {
            if (m_queue.empty())
                return m_defaultReply;
            ServerReply reply = std::move(m_queue.front());
            m_queue.pop_front();
            return reply;
        }
        responder = m_responder;
    }
    // Unlocked, so that the responder may ask the server what it has seen.
    return responder(request, index);
}

QSslCertificate LocalServerCertificate() {
    const QSslCertificate certificate(
        ReadResource(QStringLiteral(":/orvalis_testsupport/tls/certificate.pem")));
    if (certificate.isNull())
        qFatal("LocalSuggestionServer: the certificate does not load");
    return certificate;
}

quint16 RefusingPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        qFatal("RefusingPort: %s", qPrintable(probe.errorString()));
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
