// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModemManagerAnswers.h"

namespace linvox::phonesim {
namespace {

// An information line and the final result, in verbose form.
std::string lineThenOk(const std::string& line) {
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

}  // namespace

// Commands the plugin sends that are missing here get ERROR, which it takes as "not
// supported" and goes on; only the answers below change what it makes of the modem.
AnswerTable modemManagerAnswers(const std::string& modelAnswer, ModemManagerProfile profile) {
    const std::string ok = "\r\nOK\r\n";
    AnswerTable answers = {
        // The port's set-up sequence, sent again each time the port is opened.
        {"V1", ok},
        {"+CMEE=1", ok},
        {"X4", ok},
        {"&C1", ok},
        // +CGSM, or else a SIM status, tells the plugin that this is a GSM modem; with
        // neither it puts the modem in the failed state (unknown capabilities).
        {"+GCAP", lineThenOk("+GCAP: +CGSM")},
        {"+CGMI", lineThenOk("PHONE-SIM")},
        {"+CGMM", modelAnswer},
        {"+CGMR", lineThenOk("1.0")},
        {"+CGSN", lineThenOk("490154203237518")},
        {"+CFUN?", lineThenOk("+CFUN: 1")},
        // CME error 10 is "SIM not inserted": the modem fails with reason sim-missing.
        {"+CPIN?", profile.sim ? lineThenOk("+CPIN: READY") : "\r\n+CME ERROR: 10\r\n"},
        // The SIM's ICCID and IMSI: without them enabling retries each for about 3 s.
        {"+CRSM=176,12258,0,0,10", lineThenOk("+CRSM: 144,0,\"98680021436587092143\"")},
        {"+CIMI", lineThenOk("001010123456789")},
        // Registered on the home network, which allows calls other than emergency ones.
        {"+CREG?", lineThenOk("+CREG: 0,1")},
        {"+COPS?", lineThenOk("+COPS: 0,0,\"PHONE-SIM\"")},
        {"+CSQ", lineThenOk("+CSQ: 20,99")},
    };
    // The plugin's voice check is a bare ATH: ERROR leaves the modem without Modem.Voice.
    // Call.Hangup sends AT+CHUP.
    if (profile.voice) {
        answers.emplace("H", ok);
        answers.emplace("+CHUP", ok);
    }
    return answers;
}

}  // namespace linvox::phonesim
