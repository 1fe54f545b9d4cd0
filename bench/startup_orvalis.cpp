// Orvalis as it starts for a user, reporting its main window's first paint.
#include "FirstPaintProbe.h"
#include "app/CKeywordsApp.h"
#include "app/CKeywordsDlg.h"

#include <memory>

int main(int argc, char** argv) {
    std::unique_ptr<FirstPaintProbe> probe;
    return RunOrvalis(argc, argv, [&](CKeywordsDlg& dialog) {
        probe = std::make_unique<FirstPaintProbe>(dialog);
    });
}
