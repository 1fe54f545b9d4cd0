#include "lookup/FetchAnswer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <mutex>

namespace lookup {

namespace {

// Why we ended a transfer ourselves; Qt reports all of them, and its own silence
// time-out, as OperationCanceledError.
enum class StopReason { None, BufferFull, WholeFetchLimit, Cancelled, RedirectStopped };

// How often a fetch looks whether it was cancelled.
constexpr int kCancelPollMs = 20;

FetchResult::Failure FailureOf(QNetworkReply::NetworkError error, StopReason stopped) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return FetchResult::Failure::ConnectionRefused;
    case QNetworkReply::HostNotFoundError:
        return FetchResult::Failure::HostNotFound;
    case QNetworkReply::TimeoutError:
        return FetchResult::Failure::TimedOut;
    case QNetworkReply::OperationCanceledError:
        if (stopped == StopReason::Cancelled)
            return FetchResult::Failure::Cancelled;
        // Not stopped by us: the transfer time-out saw 2 seconds of silence.
        return stopped == StopReason::BufferFull ? FetchResult::Failure::Other
                                                 : FetchResult::Failure::TimedOut;
    case QNetworkReply::TooManyRedirectsError:
        return FetchResult::Failure::TooManyRedirects;
    default:
        return FetchResult::Failure::Other;
    }
}

} // namespace

FetchResult FetchAnswer(const QByteArray& requestAddress, const FetchOptions& options) {
    FetchResult result;
    // Without an application object there is no event loop to drive a transfer.
    if (!QCoreApplication::instance())
        return result;

    // A process-wide setting: made once, not by every worker.
    static std::once_flag systemProxy;
    std::call_once(systemProxy, [] { QNetworkProxyFactory::setUseSystemConfiguration(true); });
    std::unique_ptr<QNetworkAccessManager> ownManager;
    if (!options.manager)
        ownManager = std::make_unique<QNetworkAccessManager>();
    QNetworkAccessManager& manager = options.manager ? *options.manager : *ownManager;

    QNetworkRequest request(QUrl::fromEncoded(requestAddress));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUserAgent));
    // Counts silence, from the connection attempt on: the connect and the per-read
    // receive time-out in one.
    request.setTransferTimeout(kReceiveTimeoutMs);
    // A redirect that may have to be stopped is followed by hand, as no-less-safe would.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         options.stopAtRedirect ? QNetworkRequest::UserVerifiedRedirectPolicy
                                                : QNetworkRequest::NoLessSafeRedirectPolicy);

    QByteArray buffer(kReceiveBufferSize, Qt::Uninitialized);
    qsizetype received = 0;
    bool responseArrived = false;
    StopReason stopped = StopReason::None;

    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QTimer wholeFetchLimit;
    wholeFetchLimit.setSingleShot(true);

    const auto readAvailable = [&] {
        // An aborted reply is closed and whatever it held is gone.
        while (reply->isOpen() && received < kReceiveBufferSize) {
            const qint64 count = reply->read(
                buffer.data() + received, std::min(kBytesPerRead, kReceiveBufferSize - received));
            if (count <= 0)
                break;
            received += count;
        }
        if (received == kReceiveBufferSize && stopped == StopReason::None && !reply->isFinished()) {
            // The buffer is the limit of an answer; the rest is not wanted.
            stopped = StopReason::BufferFull;
            reply->abort();
        }
    };

    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(), [&] {
        if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
            responseArrived = true;
    });
    // The headers of a redirect that is being followed are not the answer.
    QObject::connect(reply.get(), &QNetworkReply::redirected, reply.get(), [&](const QUrl& url) {
        if (!options.stopAtRedirect) {
            responseArrived = false;
            return;
        }
        if (options.stopAtRedirect(url)) {
            result.stoppedAt = url;
            stopped = StopReason::RedirectStopped;
            reply->abort();
            return;
        }
        responseArrived = false;
        const bool lessSafe = reply->url().scheme() == u"https" && url.scheme() != u"https";
        if (lessSafe)
            reply->abort();
        else
            emit reply->redirectAllowed();
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(), readAvailable);
    // Never ignored: the handshake fails and the request is not sent.
    QStringList sslErrors;
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, reply.get(),
                     [&](const QList<QSslError>& errors) {
                         for (const QSslError& error : errors)
                             sslErrors.append(error.errorString());
                     });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&wholeFetchLimit, &QTimer::timeout, reply.get(), [&] {
        stopped = StopReason::WholeFetchLimit;
        reply->abort();
    });

    QTimer cancelPoll;
    if (options.cancelled) {
        QObject::connect(&cancelPoll, &QTimer::timeout, reply.get(), [&] {
            if (options.cancelled->load() && stopped == StopReason::None) {
                stopped = StopReason::Cancelled;
                reply->abort();
            }
        });
        cancelPoll.start(kCancelPollMs);
    }

    wholeFetchLimit.start(kWholeFetchLimitMs);
    if (!reply->isFinished() && !(options.cancelled && options.cancelled->load()))
        loop.exec();
    wholeFetchLimit.stop();
    cancelPoll.stop();
    if (options.cancelled && options.cancelled->load() && !reply->isFinished()) {
        stopped = StopReason::Cancelled; // cancelled before the transfer began
        reply->abort();
    }
    if (stopped != StopReason::BufferFull)
        readAvailable();

    const QNetworkReply::NetworkError error = reply->error();
    if (error != QNetworkReply::NoError)
        result.errorText = reply->errorString();
    if (stopped == StopReason::RedirectStopped) {
        result.outcome = FetchResult::Outcome::Answer;
        result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.errorText.clear();
    } else if (stopped == StopReason::Cancelled) {
        result.outcome = FetchResult::Outcome::AddressNotOpened;
        result.failure = FetchResult::Failure::Cancelled;
    } else if (error != QNetworkReply::TooManyRedirectsError && responseArrived) {
        buffer.truncate(received);
        result.outcome = FetchResult::Outcome::Answer;
        result.body = std::move(buffer);
        result.contentType = reply->rawHeader("Content-Type");
        result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    } else if (!sslErrors.isEmpty()) {
        result.outcome = FetchResult::Outcome::AddressNotOpened;
        result.failure = FetchResult::Failure::Insecure;
        result.sslErrors = sslErrors.join(QStringLiteral("; "));
    } else {
        result.outcome = FetchResult::Outcome::AddressNotOpened;
        result.failure = FailureOf(error, stopped);
    }
    return result;
}

QString DescribeFetchFailure(const FetchResult& result) {
    switch (result.outcome) {
    case FetchResult::Outcome::NoSession:
        return QStringLiteral("Could not open a network session.");
    case FetchResult::Outcome::AddressNotOpened:
        switch (result.failure) {
        case FetchResult::Failure::TimedOut:
            return QStringLiteral("The suggestion service did not answer in time.");
        case FetchResult::Failure::TooManyRedirects:
            return QStringLiteral("The suggestion service redirected the request too many times.");
        case FetchResult::Failure::Insecure:
            return QStringLiteral("The connection to the suggestion service is not secure: ") +
                   result.sslErrors;
        case FetchResult::Failure::None:
        case FetchResult::Failure::Cancelled:
        case FetchResult::Failure::ConnectionRefused:
        case FetchResult::Failure::HostNotFound:
        case FetchResult::Failure::Other:
            break;
        }
        return QStringLiteral("Could not reach the suggestion service.");
    case FetchResult::Outcome::Answer:
        break;
    }
    if (result.httpStatus >= 200 && result.httpStatus < 300)
        return {};
    return QStringLiteral("The suggestion service refused the request (HTTP %1).")
        .arg(result.httpStatus);
}

} // namespace lookup
