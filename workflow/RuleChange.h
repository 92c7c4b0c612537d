#pragma once
// The rule-checked change that every front end runs: the rules answer
// done, refused or confirm; a confirmation is put to the user through the
// message sink and, on Yes, the same change is repeated with that answer.
// (How every layer reports failures: base/CTavoCPSException.h.)

#include "profile/CDataItem.h"

#include <QString>
#include <QVariant>
#include <functional>

namespace tavo {

class CRadioDataModel;

// What the rules answered to one call.
struct RuleResult {
    enum Code { Done = 0, Refused = 1, Confirm = 2 };
    int code = Done;
    int msgId = 0;    // string-table id of the rules' message, 0 for none
    int msgStyle = 0; // message-box style the rules chose for it
};

// One call of a change through the rules with the user's answer (0 the
// first time, IDYES when repeated after a confirmation).
using RuleCall = std::function<int(int answer, int &msgId, int &msgStyle)>;

// Runs `change`; a confirmation is asked through the message sink with the
// rules' style and repeated on Yes. `report` (may be empty) sees every
// answer of the rules, the confirmation included. A refusal is not shown
// here: the front end shows it in its own way. Returns the last answer.
RuleResult RunRuleChange(const RuleCall &change, const std::function<void(const RuleResult &)> &report = {});

// The element at PATH below the root ("setting", "channels/channel[3]");
// false when there is none.
bool FindProfileElement(const CRadioDataModel &model, const QString &path, CDataItem &item);

// A value typed in as text, converted to the type the attribute holds now,
// so that digits meant as text (a password such as "0123") stay text.
QVariant TypedAttributeValue(const CDataItem &item, const QString &attribute, const QString &text);

} // namespace tavo
