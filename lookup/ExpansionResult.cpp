#include "lookup/ExpansionResult.h"

namespace lookup {

namespace {

QString KeywordsFound(qsizetype count) {
    return count == 1 ? QStringLiteral("1 keyword") : QStringLiteral("%1 keywords").arg(count);
}

} // namespace

QString DescribeExpansionEnd(const ExpansionResult& result) {
    const qsizetype found = static_cast<qsizetype>(result.keywords.size());
    switch (result.end) {
    case ExpansionResult::End::Done:
    case ExpansionResult::End::Cancelled:
        return {};
    case ExpansionResult::End::Blocked:
        return QStringLiteral("The suggestion service refused request %1 of %2 (HTTP %3). "
                              "The list holds the %4 found before it.")
            .arg(result.blockedRequest)
            .arg(result.planSize)
            .arg(result.httpStatus)
            .arg(KeywordsFound(found));
    case ExpansionResult::End::Silent:
        return QStringLiteral("The suggestion service did not answer %1 requests in a row. "
                              "The list holds the %2 found before.")
            .arg(kSilentRequestsToStop)
            .arg(KeywordsFound(found));
    }
    return {};
}

} // namespace lookup
