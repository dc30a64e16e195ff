#pragma once

#include "packets.h"
#include "transmittersettings.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zqsim {

// The transmitter's side of the serial protocol, free of any I/O: feed it
// what arrived (with the current time in milliseconds, any monotonic clock)
// and write out, in order and one write each, the packets it returns.
//
// Host commands are "OK" (start streaming live packets), "RR" (send all
// settings), "DIS" (stop), "WWW" (the host took the last packet) and the
// 81-character frames S, G, H, I (store settings).  They arrive without
// delimiters and may be split across reads or glued together.
//
// Only one packet is in flight at a time: the host reads one packet per
// chunk, so a second packet sent before its "WWW" could be glued to the
// first and both would be lost.
class SimEngine
{
public:
    struct Options
    {
        int intervalMs = 20;   // least time between two packets; 0 = as fast as acknowledged
        int ackTimeoutMs = 0;  // give up waiting for "WWW" after this long; 0 = wait for ever

        // A transmitter that disagrees with the host, to show what the tool
        // makes of it.  Whenever the frame carrying misstoreField (a
        // settingsFields() name; empty = none) is stored, that field holds
        // misstoreValue instead of the value written.
        std::string misstoreField = {};
        int misstoreValue = 0;
        char ignoreFrame = 0;           // 'S', 'G', 'H' or 'I': taken off the line, never stored; 0 = none
        bool silentAfterWrite = false;  // the first "RR" after a received frame gets no answer

        // A range check: the transmitter carried away and back again every
        // fadeSeconds (0: it stays put).  The signal strength falls to
        // nothing at the far end, and live packets are lost at random as
        // it weakens (fadeSeed), all of them when it is gone.
        int fadeSeconds = 0;
        uint32_t fadeSeed = 1;
    };

    struct Stats
    {
        uint64_t livePacketsSent = 0;
        uint64_t livePacketsLost = 0;      // by Options::fadeSeconds
        uint64_t settingsPacketsSent = 0;  // includes the AUX packet
        uint64_t acks = 0;                 // "WWW" that released a packet
        uint64_t strayAcks = 0;            // "WWW" with nothing in flight (e.g. after a write)
        uint64_t ackTimeouts = 0;
        uint64_t readRequests = 0;
        uint64_t framesAccepted = 0;
        uint64_t framesRejected = 0;
        uint64_t framesIgnored = 0;    // well-formed, dropped by Options::ignoreFrame
        uint64_t readsUnanswered = 0;  // by Options::silentAfterWrite
        uint64_t bytesSkipped = 0;
    };

    SimEngine();
    explicit SimEngine(Options opt, TransmitterSettings initial = factorySettings());

    // Bytes from the host.  Returns what is due now (at most one packet).
    std::vector<Bytes> receive(const uint8_t *data, size_t n, int64_t nowMs);
    std::vector<Bytes> receive(const std::string &data, int64_t nowMs);
    // Time passing without input.  Returns what is due now.
    std::vector<Bytes> tick(int64_t nowMs);
    // When tick() should be called next; -1 when only input can change anything.
    int64_t nextWakeMs() const;

    const TransmitterSettings &settings() const { return cfg; }
    void setSettings(const TransmitterSettings &s) { cfg = s; }
    const Stats &stats() const { return st; }
    const Options &options() const { return opts; }

    bool streaming() const { return stream; }
    bool answeringRead() const { return !readQueue.empty(); }
    bool awaitingAck() const { return inFlight; }

    // Called after a frame was stored (with its lead letter), for persistence.
    std::function<void(char lead)> onFrameAccepted;
    // Called for each "OK", "RR" and "DIS" after it took effect.
    std::function<void(const std::string &command)> onCommand;
    // Human-readable events.
    std::function<void(const std::string &)> onLog;

private:
    void parse();
    // Each takes what starts at inbox[at] and returns how many bytes it
    // consumed; 0 while the rest has still to come.
    size_t takeFrame(size_t at);
    size_t takeCommand(size_t at);
    void storeFrame(char lead, TransmitterSettings decoded);
    void runCommand(char lead);
    void answerRead();
    bool hasWork() const;
    void log(const std::string &msg);

    Options opts;
    TransmitterSettings cfg;
    Stats st;

    std::string inbox;  // received, not yet consumed
    bool stream = false;
    bool inFlight = false;
    bool nextIsServo = true;
    std::deque<int> readQueue;     // settings codes still to answer; kAuxItem for the AUX packet
    bool framesSinceRead = false;  // for Options::silentAfterWrite
    bool everSent = false;
    int64_t lastSendMs = 0;
    int64_t startMs = -1;  // time base of the live values
    uint32_t fadeRng = 1;
};

// The command-line forms of the disagreement options, shared by zqsim and
// the demo: "FIELD=VALUE" (a field some frame carries) and one of the
// letters S, G, H, I.  False, with the reason, for anything else.
bool parseMisstore(const std::string &text, SimEngine::Options &o, std::string *why);
bool parseIgnoreFrame(const std::string &text, SimEngine::Options &o, std::string *why);

}  // namespace zqsim
