#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <atomic>
#include <functional>

class QNetworkAccessManager;

namespace lookup {

inline constexpr int kConnectTimeoutMs = 2000;
inline constexpr int kReceiveTimeoutMs = 2000; // silence between two reads
inline constexpr int kWholeFetchLimitMs = 30000;
inline constexpr qsizetype kReceiveBufferSize = 100000;
inline constexpr qsizetype kBytesPerRead = 1024;
inline constexpr qsizetype kLongestRejectedAnswer = 10;
inline constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1;)";

// What one GET of the suggestion service brought back.
struct FetchResult {
    enum class Outcome {
        NoSession,        // no network access could be set up
        AddressNotOpened, // refused, host not found, connect time-out, nothing answered,
                          // a certificate that did not verify
        Answer,           // a response arrived; body holds what was read
    };
    enum class Failure {
        None,
        ConnectionRefused,
        HostNotFound,
        TimedOut,
        TooManyRedirects,
        Insecure,  // the TLS certificate did not verify; nothing was sent
        Cancelled, // abandoned on request
        Other,
    };

    Outcome outcome = Outcome::NoSession;
    Failure failure = Failure::None; // why the address did not open
    QByteArray body;                 // at most kReceiveBufferSize bytes, as received
    QByteArray contentType;          // the reply's Content-Type header
    int httpStatus = 0;              // 0 when no status line arrived
    QString errorText;               // the network layer's own words, for diagnostics
    QString sslErrors;               // Insecure: why the certificate was refused, "; " apart
    QUrl stoppedAt; // a redirect the fetch did not follow; the answer is then that redirect
};

// How one fetch of a run of them is made.
struct FetchOptions {
    // The manager of the run, so that its requests share one connection; none: the fetch
    // makes a manager of its own.
    QNetworkAccessManager* manager = nullptr;
    // Looked at while the transfer runs: once it is true the transfer is abandoned at once.
    const std::atomic<bool>* cancelled = nullptr;
    // A redirect to an address for which this answers true is not followed: the fetch
    // ends with that redirect as its answer (its status, no body, stoppedAt set).
    std::function<bool(const QUrl&)> stopAtRedirect;
};

// One blocking HTTP GET of requestAddress with the program's user agent, the system's
// proxy setting, 2-second connect and silence time-outs and a 30-second limit on the
// whole transfer. Runs its own event loop; call it on a thread that is not running one.
FetchResult FetchAnswer(const QByteArray& requestAddress, const FetchOptions& options = {});

// The one-line message for a search that could not get an answer, or an empty text when
// the result is an answer the program should show (2xx status).
QString DescribeFetchFailure(const FetchResult& result);

} // namespace lookup
