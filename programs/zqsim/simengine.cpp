#include "simengine.h"

#include "frames.h"

#include <cstdlib>

namespace zqsim {

namespace {

constexpr int kAuxItem = -1;

bool isHexChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

enum class Match { Full, Partial, None };

// Whether `tok` starts at `at` of `buf`; Partial when the buffer ends while
// it still matches.
Match matchAt(const std::string &buf, size_t at, const char *tok)
{
    size_t k = 0;
    for (; tok[k]; ++k) {
        if (at + k >= buf.size())
            return Match::Partial;
        if (buf[at + k] != tok[k])
            return Match::None;
    }
    return Match::Full;
}

}  // namespace

SimEngine::SimEngine() : SimEngine(Options())
{
}

SimEngine::SimEngine(Options opt, TransmitterSettings initial) : opts(opt), cfg(initial)
{
    if (opts.intervalMs < 0)
        opts.intervalMs = 0;
    if (opts.ackTimeoutMs < 0)
        opts.ackTimeoutMs = 0;
    fadeRng = opts.fadeSeed ? opts.fadeSeed : 1;
}

void SimEngine::log(const std::string &msg)
{
    if (onLog)
        onLog(msg);
}

std::vector<Bytes> SimEngine::receive(const std::string &data, int64_t nowMs)
{
    return receive(reinterpret_cast<const uint8_t *>(data.data()), data.size(), nowMs);
}

std::vector<Bytes> SimEngine::receive(const uint8_t *data, size_t n, int64_t nowMs)
{
    if (startMs < 0)
        startMs = nowMs;
    inbox.append(reinterpret_cast<const char *>(data), n);
    parse();
    return tick(nowMs);
}

void SimEngine::parse()
{
    size_t i = 0;
    while (i < inbox.size()) {
        const size_t used = isFrameLead(inbox[i]) ? takeFrame(i) : takeCommand(i);
        if (used == 0)
            break;  // wait for the rest of it
        i += used;
    }
    inbox.erase(0, i);
}

size_t SimEngine::takeFrame(size_t at)
{
    const char c = inbox[at];
    const size_t rest = inbox.size() - at;
    // A frame is all hex digits between its letters, so the first other
    // character shows that this was no frame (or a frame with bytes lost)
    // and the scan restarts right after the lead letter.
    size_t k = 1;
    while (k < rest && k < size_t(kFrameLength - 1) && isHexChar(inbox[at + k]))
        ++k;
    if (k < rest && k < size_t(kFrameLength - 1)) {
        ++st.framesRejected;
        ++st.bytesSkipped;
        log(std::string("dropped a broken ") + c + " frame");
        return 1;
    }
    if (rest < size_t(kFrameLength))
        return 0;
    TransmitterSettings decoded = cfg;
    if (!decodeFrame(inbox.substr(at, kFrameLength), decoded)) {
        ++st.framesRejected;
        ++st.bytesSkipped;
        log(std::string("rejected a malformed ") + c + " frame");
        return 1;
    }
    framesSinceRead = true;
    if (c == opts.ignoreFrame) {
        ++st.framesIgnored;
        log(std::string(1, c) + " frame ignored (--ignore-frame)");
    } else {
        storeFrame(c, decoded);
    }
    return kFrameLength;
}

void SimEngine::storeFrame(char lead, TransmitterSettings decoded)
{
    std::string note;
    if (!opts.misstoreField.empty() && lead == frameCarrying(opts.misstoreField)) {
        *fieldByName(decoded, opts.misstoreField) = opts.misstoreValue;
        note = " (" + opts.misstoreField + " stored as " + std::to_string(opts.misstoreValue) + ", --misstore)";
    }
    cfg = decoded;
    ++st.framesAccepted;
    log(std::string(1, lead) + " frame stored" + note);
    if (onFrameAccepted)
        onFrameAccepted(lead);
}

size_t SimEngine::takeCommand(size_t at)
{
    const char c = inbox[at];
    const char *tok = nullptr;
    switch (c) {
    case 'W':
        tok = "WWW";
        break;
    case 'R':
        tok = "RR";
        break;
    case 'O':
        tok = "OK";
        break;
    case 'D':
        tok = "DIS";
        break;
    default:
        break;
    }
    const Match m = tok ? matchAt(inbox, at, tok) : Match::None;
    if (m == Match::Partial)
        return 0;
    if (m == Match::None) {
        ++st.bytesSkipped;
        return 1;
    }
    runCommand(c);
    if (c != 'W' && onCommand)
        onCommand(tok);
    return std::char_traits<char>::length(tok);
}

void SimEngine::runCommand(char lead)
{
    switch (lead) {
    case 'W':
        if (inFlight) {
            inFlight = false;
            ++st.acks;
        } else {
            ++st.strayAcks;
        }
        break;
    case 'R':
        answerRead();
        break;
    case 'O':
        // A fresh greeting means a fresh session: whatever was in flight
        // went to a host that is gone.
        stream = true;
        inFlight = false;
        readQueue.clear();
        nextIsServo = true;
        log("host connected: streaming live packets");
        break;
    case 'D':
        stream = false;
        inFlight = false;
        readQueue.clear();
        log("host disconnected: streaming stopped");
        break;
    }
}

// A new request restarts the answer; the packets are built when they are
// sent, so frames stored meanwhile are reported.
void SimEngine::answerRead()
{
    ++st.readRequests;
    readQueue.clear();
    if (opts.silentAfterWrite && framesSinceRead) {
        framesSinceRead = false;
        ++st.readsUnanswered;
        log("read request after a write left unanswered (--silent-after-write)");
        return;
    }
    framesSinceRead = false;
    for (uint8_t code : settingsPacketCodes()) {
        readQueue.push_back(code);
        if (code == 0x99)
            readQueue.push_back(kAuxItem);
    }
    log("read request: answering with " + std::to_string(readQueue.size()) + " packets");
}

bool SimEngine::hasWork() const
{
    return stream || !readQueue.empty();
}

std::vector<Bytes> SimEngine::tick(int64_t nowMs)
{
    if (startMs < 0)
        startMs = nowMs;
    if (inFlight && opts.ackTimeoutMs > 0 && nowMs - lastSendMs >= opts.ackTimeoutMs) {
        inFlight = false;
        ++st.ackTimeouts;
    }
    if (inFlight || !hasWork())
        return {};
    if (everSent && nowMs - lastSendMs < opts.intervalMs)
        return {};

    Bytes out;
    if (!readQueue.empty()) {
        const int item = readQueue.front();
        readQueue.pop_front();
        out = item == kAuxItem ? encodeAuxPacket(cfg) : encodeSettingsPacket(uint8_t(item), cfg);
        ++st.settingsPacketsSent;
        if (readQueue.empty())
            log("read answered");
    } else {
        LiveValues v = liveValuesAt(nowMs - startMs, cfg);
        if (opts.fadeSeconds > 0) {
            v.rssi = fadedSignal(v.rssi, nowMs - startMs, opts.fadeSeconds);
            fadeRng ^= fadeRng << 13, fadeRng ^= fadeRng >> 17, fadeRng ^= fadeRng << 5;
            if (int(fadeRng % 1000) < lossPerMille(v.rssi)) {
                // Lost on the way: the next one comes after the interval.
                nextIsServo = !nextIsServo;
                everSent = true;
                lastSendMs = nowMs;
                ++st.livePacketsLost;
                return {};
            }
        }
        out = nextIsServo ? encodeServoPacket(v) : encodeReceiverPacket(v, cfg);
        nextIsServo = !nextIsServo;
        ++st.livePacketsSent;
    }
    inFlight = true;
    everSent = true;
    lastSendMs = nowMs;
    return {out};
}

int64_t SimEngine::nextWakeMs() const
{
    if (inFlight)
        return opts.ackTimeoutMs > 0 ? lastSendMs + opts.ackTimeoutMs : -1;
    if (!hasWork())
        return -1;
    return everSent ? lastSendMs + opts.intervalMs : 0;
}

bool parseMisstore(const std::string &text, SimEngine::Options &o, std::string *why)
{
    const size_t eq = text.find('=');
    const std::string field = text.substr(0, eq);
    if (eq == std::string::npos || !frameCarrying(field)) {
        if (why)
            *why = "expected FIELD=VALUE with a field that a frame carries (sub1, Lepa2, StkStep[0], ...): " + text;
        return false;
    }
    char *end = nullptr;
    const std::string value = text.substr(eq + 1);
    const long v = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end || v < -999 || v > 999) {
        if (why)
            *why = "expected a whole number from -999 to 999 after '=': " + text;
        return false;
    }
    o.misstoreField = field;
    o.misstoreValue = int(v);
    return true;
}

bool parseIgnoreFrame(const std::string &text, SimEngine::Options &o, std::string *why)
{
    if (text.size() != 1 || !isFrameLead(text[0])) {
        if (why)
            *why = "expected one of the frame letters S, G, H, I: " + text;
        return false;
    }
    o.ignoreFrame = text[0];
    return true;
}

}  // namespace zqsim
