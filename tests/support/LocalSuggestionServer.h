#pragma once

#include "support/AnswerBuilder.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSslCertificate>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// A stand-in for the suggestion service on 127.0.0.1, for tests. It listens on a free
// port and serves from a thread of its own, so it keeps answering while the test's
// thread is blocked (in a fetch's event loop or in a worker's call into the main
// thread). Each request is answered by the next queued ServerReply, or by the default
// reply when the queue is empty, or by the responder when one is set. Every request is
// answered once and the connection is closed ("Connection: close"), so each request
// arrives on a connection of its own, unless the server keeps connections alive.
//
//     LocalSuggestionServer server;
//     server.SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"red apple", "1200"}})));
//     FetchAnswer(server.BaseAddress() + "/complete/search?q=red");
//     server.Requests().front().target; // "/complete/search?q=red"
//
//     LocalSuggestionServer tls({.tls = true}); // https://127.0.0.1:PORT, self-signed

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

// How the server answers one request.
struct ServerReply {
    enum class Mode {
        Answer,       // status line, headers and the whole body
        Silent,       // accept the connection, read the request, never write a byte
        Chunks,       // headers, then the body in `chunks` parts `delayMs` apart
        CloseHalfway, // headers promising the whole body, `sentBytes` of it, then FIN
        Reset,        // headers promising the whole body, `sentBytes` of it, then RST
        Trickle,      // headers, then one byte of `body` every `delayMs`, forever
        RedirectLoop, // 301 back to the same target, forever
    };

    Mode mode = Mode::Answer;
    int status = 200;
    HeaderList headers;      // sent after the status line, before Content-Length
    QByteArray body;         // for Trickle: the bytes sent over and over
    int chunks = 1;          // Chunks
    int delayMs = 0;         // Chunks, Trickle: between writes; Answer: before the reply
    qsizetype sentBytes = 0; // CloseHalfway, Reset

    // body with the given status; contentType becomes the Content-Type header unless
    // empty. Any bytes may be sent: NUL, invalid UTF-8, 2 MB. For a late answer set
    // delayMs on the result: the whole reply is then written that long after the
    // request head was read.
    static ServerReply Answer(QByteArray body, int status = 200,
                              QByteArray contentType = "text/xml; charset=UTF-8");
    static ServerReply Silent();
    static ServerReply Chunks(QByteArray body, int chunks, int delayMs);
    static ServerReply CloseHalfway(QByteArray body, qsizetype sentBytes);
    static ServerReply Reset(QByteArray body, qsizetype sentBytes);
    static ServerReply Trickle(int delayMs);
    static ServerReply RedirectLoop();
    // 301 to location, once.
    static ServerReply Redirect(QByteArray location);
};

// One request as the server read it.
struct ReceivedRequest {
    QByteArray method;
    QByteArray target; // path and query, as sent
    HeaderList headers;
    // When its head had been read; for one sent before the answer to the request ahead
    // of it on a kept-alive connection, when that answer had been written.
    std::chrono::steady_clock::time_point received;
    int connection = 0; // the connection it came on, 0-based in order of acceptance

    // The value of the first header of that name (case-insensitive), or empty.
    QByteArray Header(QByteArrayView name) const;
    // The text a suggestion request asked for: its q parameter, decoded ('+' a blank).
    QString Query() const;
};

class ServerThread;

// Outside the class only because a nested struct's member initializers could not be used
// in the constructor's default argument; spelled LocalSuggestionServer::Options.
struct LocalSuggestionServerOptions {
    // HTTPS with the certificate of LocalServerCertificate(), which no client trusts
    // unless told to.
    bool tls = false;
    // Answer replies leave the connection open and the next request on it is read and
    // answered too (one at a time, as a client that does not pipeline sends them).
    bool keepAlive = false;
};

class LocalSuggestionServer {
public:
    using Options = LocalSuggestionServerOptions;
    using Responder = std::function<ServerReply(const ReceivedRequest& request, int index)>;

    explicit LocalSuggestionServer(Options options = {});
    // Closes every connection and stops the server thread.
    ~LocalSuggestionServer();
    LocalSuggestionServer(const LocalSuggestionServer&) = delete;
    LocalSuggestionServer& operator=(const LocalSuggestionServer&) = delete;

    quint16 Port() const { return m_port; }
    // "http://127.0.0.1:PORT" ("https://" with tls), the service base to give a fetch or
    // a worker.
    QByteArray BaseAddress() const;

    // The reply for requests with nothing queued; at first an empty 200 answer.
    void SetDefaultReply(const ServerReply& reply);
    // The reply for the next request not yet answered; queued replies go in order.
    void QueueReply(const ServerReply& reply);
    // Answers every request from now on in place of the queue and the default reply;
    // index is the request's 0-based number in order of arrival. An empty function
    // gives the queue back. The responder runs on the server thread, with no lock held,
    // so it may call the server's own functions but must guard what it shares with
    // the test's thread.
    void SetResponder(Responder responder);

    // Every request read so far, oldest first. A client that refused the certificate
    // sent none.
    QList<ReceivedRequest> Requests() const;
    qsizetype RequestCount() const;
    // TCP connections accepted so far, with those whose TLS handshake failed.
    int ConnectionCount() const;

    // Called on the server thread: records an accepted connection and gives its index.
    int AddConnection();
    // Called on the server thread: records the request and gives the reply for it.
    ServerReply TakeReply(const ReceivedRequest& request);

private:
    mutable std::mutex m_mutex;
    ServerReply m_defaultReply;
    std::deque<ServerReply> m_queue;
    Responder m_responder;
    QList<ReceivedRequest> m_requests;
    int m_connections = 0;

    Options m_options;
    std::unique_ptr<ServerThread> m_thread;
    quint16 m_port = 0;
};

// The self-signed certificate the server shows with tls, for a client that should
// trust it.
QSslCertificate LocalServerCertificate();

// A port on 127.0.0.1 on which nothing listens, so a connection to it is refused.
quint16 RefusingPort();
