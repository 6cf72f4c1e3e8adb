// The settings lines' step rules, Apply and Cancel.
#include "ui/settings_steps.h"

#include "net/notification_codes.h"
#include "settings/settings.h"
#include "ui/settings_lines.h"

namespace {

enum class Rule { Toggle, Cyclic, Distinct, None };

struct LineStep {
    const int* pending;
    Rule rule;
    int lower, upper;  // Cyclic: the range; Distinct: upper is the shared maximum
    const int* other;  // Distinct: the other colour's pending copy
};

// Indexed like kSettingStems.
const LineStep kSteps[kSettingsLineCount] = {
    {&foregroundPending, Rule::Toggle, 0, 0, nullptr},
    {&soundPending, Rule::Toggle, 0, 0, nullptr},
    {&autodelayPending, Rule::Cyclic, 1, kMaxAutodelay, nullptr},
    {&tablesizePending, Rule::Cyclic, 1, kMaxTableSize, nullptr},
    {&savePending, Rule::Cyclic, 0, kMaxSave, nullptr},
    {&skinPending, Rule::Cyclic, 1, kMaxSkin, nullptr},
    {&whitechkPending, Rule::Distinct, 1, kMaxChecker, &blackchkPending},
    {&blackchkPending, Rule::Distinct, 1, kMaxChecker, &whitechkPending},
    {&whitedicePending, Rule::Distinct, 1, kMaxDice, &blackdicePending},
    {&blackdicePending, Rule::Distinct, 1, kMaxDice, &whitedicePending},
    {&cubePending, Rule::Cyclic, 1, kMaxCube, nullptr},
    {&skiprollPending, Rule::Toggle, 0, 0, nullptr},
    {&skipmovePending, Rule::Toggle, 0, 0, nullptr},
    {&forcedmovePending, Rule::Toggle, 0, 0, nullptr},
    {&autobearoffPending, Rule::Toggle, 0, 0, nullptr},
    {&animatePending, Rule::Toggle, 0, 0, nullptr},
    {&animatespeedPending, Rule::Cyclic, 0, kMaxAnimateSpeed, nullptr},
    {&timestampPending, Rule::Toggle, 0, 0, nullptr},
    {&enterexitPending, Rule::Toggle, 0, 0, nullptr},
    {nullptr, Rule::None, 0, 0, nullptr},  // the chat font opens the font dialog instead
};

// The options whose change the sibling programs are told of, with their codes.
struct Announced {
    const int* committed;
    int code;
};
const Announced kAnnounced[] = {
    {&sound, NC_SOUND_CHANGED},
    {&save, NC_SAVE_FORMAT_CHANGED},
    {&timestamp, NC_TIMESTAMP_CHANGED},
    {&enterexit, NC_ENTER_EXIT_CHANGED},
};

}  // namespace

int CyclicStep(int value, int lower, int upper) {
    return value + 1 > upper ? lower : value + 1;
}

int DistinctStep(int value, int other, int maximum) {
    int next = value + 1;
    if (next == other) next = value + 2;
    if (next > maximum) next = 1;
    if (next == other) next = other + 1;
    return next;
}

void StepSettingsLine(int line) {
    if (line < 0 || line >= kSettingsLineCount) return;
    const LineStep& step = kSteps[line];
    switch (step.rule) {
        case Rule::Toggle:
            SetPendingSetting(step.pending, *step.pending == 0 ? 1 : 0);
            break;
        case Rule::Cyclic:
            SetPendingSetting(step.pending, CyclicStep(*step.pending, step.lower, step.upper));
            break;
        case Rule::Distinct:
            SetPendingSetting(step.pending, DistinctStep(*step.pending, *step.other, step.upper));
            break;
        case Rule::None:
            break;
    }
}

std::vector<SettingBroadcast> ApplyPendingSettings() {
    std::vector<SettingBroadcast> broadcasts;
    for (const Announced& option : kAnnounced) {
        for (const SettingRow& row : SettingRows()) {
            if (row.committed == option.committed && row.pending && *row.pending != *row.committed)
                broadcasts.push_back({option.code, *row.pending});
        }
    }
    CommitPendingSettings();
    return broadcasts;
}
