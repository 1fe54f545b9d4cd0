#pragma once

#include "support/AnswerBuilder.h"
#include "support/LocalSuggestionServer.h"

// How the local stand-in answers an expansion's requests in the tests.

// Today's service: phrases without counts. Each request finds itself with " pie" and
// " tree", and the keyword alone; delayMs later.
inline ServerReply TypicalExpansionAnswer(const ReceivedRequest& request, int delayMs = 0) {
    const QByteArray asked = request.Query().toUtf8();
    ServerReply reply = ServerReply::Answer(kAnswerHead + CountlessEntry(asked + " pie") +
                                            CountlessEntry(asked + " tree") +
                                            CountlessEntry("red apple") + kAnswerTail);
    reply.delayMs = delayMs;
    return reply;
}

// Requests 1 to 8 find 18 phrases (two each, and two more with the first); from request 9
// on the service answers `refusal`.
inline LocalSuggestionServer::Responder EighteenPhrasesThen(const ServerReply& refusal) {
    return [refusal](const ReceivedRequest& request, int index) {
        if (index >= 8)
            return refusal;
        const QByteArray asked = request.Query().toUtf8();
        QByteArray answer =
            kAnswerHead + CountlessEntry(asked + " 1") + CountlessEntry(asked + " 2");
        if (index == 0)
            answer += CountlessEntry("first a") + CountlessEntry("first b");
        return ServerReply::Answer(answer + kAnswerTail);
    };
}
