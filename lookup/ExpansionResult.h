#pragma once

#include "lookup/ExpansionMerge.h"

#include <QString>

#include <vector>

namespace lookup {

// How an expansion ended and what it found.
struct ExpansionResult {
    enum class End {
        Done,      // every request of the plan was answered
        Cancelled, // the user stopped it
        Blocked,   // the service refused a request (403, 429, 503 or its block page)
        Silent,    // the service did not answer several requests in a row
    };

    End end = End::Done;
    int planSize = 0;
    int requestsSent = 0;                  // the refused or last silent request included
    int blockedRequest = 0;                // Blocked: which request, counted from 1
    int httpStatus = 0;                    // Blocked: the status it was refused with
    std::vector<ExpandedKeyword> keywords; // ranked, at most kMostExpandedRows
};

// Silent requests in a row that end an expansion.
inline constexpr int kSilentRequestsToStop = 3;

// The message for an expansion that was stopped by the service; empty when it was done
// or cancelled.
QString DescribeExpansionEnd(const ExpansionResult& result);

} // namespace lookup
