#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <deque>
#include <memory>
#include <mutex>

// A stand-in for the suggestion service on 127.0.0.1, for tests. It listens on a free
// port and serves from a thread of its own, so it keeps answering while the test's
// thread is blocked (in a fetch's event loop or in a worker's call into the main
// thread). Each request is answered by the next queued ServerReply, or by the default
// reply when the queue is empty. Every request is answered once and the connection is
// closed ("Connection: close"), so each request arrives on a connection of its own.
//
//     LocalSuggestionServer server;
//     server.SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"red apple", "1200"}})));
//     FetchAnswer(server.BaseAddress() + "/complete/search?q=red");
//     server.Requests().front().target; // "/complete/search?q=red"

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
    int delayMs = 0;         // Chunks, Trickle
    qsizetype sentBytes = 0; // CloseHalfway, Reset

    // body with the given status; contentType becomes the Content-Type header unless
    // empty. Any bytes may be sent: NUL, invalid UTF-8, 2 MB.
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

    // The value of the first header of that name (case-insensitive), or empty.
    QByteArray Header(QByteArrayView name) const;
};

class ServerThread;

class LocalSuggestionServer {
public:
    LocalSuggestionServer();
    // Closes every connection and stops the server thread.
    ~LocalSuggestionServer();
    LocalSuggestionServer(const LocalSuggestionServer&) = delete;
    LocalSuggestionServer& operator=(const LocalSuggestionServer&) = delete;

    quint16 Port() const { return m_port; }
    // "http://127.0.0.1:PORT", the service base to give a fetch or a worker.
    QByteArray BaseAddress() const;

    // The reply for requests with nothing queued; at first an empty 200 answer.
    void SetDefaultReply(const ServerReply& reply);
    // The reply for the next request not yet answered; queued replies go in order.
    void QueueReply(const ServerReply& reply);

    // Every request read so far, oldest first.
    QList<ReceivedRequest> Requests() const;
    qsizetype RequestCount() const;

    // Records the request and gives the reply for it; called on the server thread.
    ServerReply TakeReply(const ReceivedRequest& request);

private:
    mutable std::mutex m_mutex;
    ServerReply m_defaultReply;
    std::deque<ServerReply> m_queue;
    QList<ReceivedRequest> m_requests;

    std::unique_ptr<ServerThread> m_thread;
    quint16 m_port = 0;
};

// A port on 127.0.0.1 on which nothing listens, so a connection to it is refused.
quint16 RefusingPort();

// An answer in the service's markup:
// <toplevel><CompleteSuggestion><suggestion data="..."/><num_queries int="..."/>
// </CompleteSuggestion>...</toplevel>. Texts go in as given, unescaped.
QByteArray MakeSuggestionAnswer(const QList<QPair<QByteArray, QByteArray>>& suggestions);
