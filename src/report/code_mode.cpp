#include "report/code_mode.h"

#include <cstdio>
#include <exception>

#include "core/files/plan_code.h"
#include "core/files/plan_file.h"
#include "core/files/safe_write.h"
#include "core/text/text_file.h"

namespace dz {

namespace {

// The bytes of a plan file, read as a plan first: what is no plan has no code
// and is not written.
void checkIsPlan(const Info& info, const std::string& bytes) { readPlanLines(splitLines(bytes), info); }

}  // namespace

int codeMode(const Info& info, const std::string& mode, const std::vector<std::string>& args, CheckedOutput& out) {
    const bool toCode = mode == "--code";
    if (args.size() != (toCode ? 1u : 2u)) {
        std::fputs("Aufruf: dizozodidu-report " DZ_CODE_CALLS, stderr);
        return 2;
    }
    const std::string& name = toCode ? args[0] : args[1];
    try {
        if (toCode) {
            std::string bytes;
            try {
                bytes = readFileBytes(name, kMaxTextFileBytes);
            } catch (const DataFileError& e) {
                throw PlanFileError(e.what());
            }
            checkIsPlan(info, bytes);
            out.write(planCode(bytes) + "\n");
            return 0;
        }
        const std::string bytes = planFileFromCode(args[0]);
        checkIsPlan(info, bytes);
        writeFileSafely(name, bytes);
        return 0;
    } catch (const PlanFileError& e) {
        std::fprintf(stderr, "%s: Ungültige Datei! %s\n", toCode ? name.c_str() : "Plan-Code", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dizozodidu-report: %s\n", e.what());
    }
    return 1;
}

}  // namespace dz
