#pragma once

#include "simengine.h"
#include "transmittersettings.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace zqsim {

// Runs a SimEngine on a serial line in a background thread: either on the
// master side of a new pseudo-terminal pair (the configuration tool opens
// slavePath()) or on a given device.
class SimHost
{
public:
    struct Config
    {
        SimEngine::Options engine;
        TransmitterSettings initial = factorySettings();
        std::string statePath;                         // load at start, save after every stored frame; empty = none
        std::string devicePath;                        // serve this device instead of a new pseudo-terminal
        std::function<void(const std::string &)> log;  // called from the worker thread

        // How the bytes of a packet reach the line, as USB bridges deliver
        // them to the host.
        enum class Delivery {
            Whole,   // one write per packet
            Bytes,   // byte by byte at the line rate (115200 baud)
            Pieces,  // pieceSize bytes a write, one USB frame (1 ms) apart
            Random,  // pieces of random size, random gaps up to maxGapMs
        };
        Delivery delivery = Delivery::Whole;
        int pieceSize = 8;
        int maxGapMs = 20;  // below the tool's 25 ms quiet time
        uint32_t seed = 1;

        // A pulled cable: the line closes this long after start() or after
        // this many packets (0: never), and the host stops serving.
        int pullAfterMs = 0;
        int pullAfterPackets = 0;
    };

    SimHost();
    explicit SimHost(Config cfg);
    ~SimHost();
    SimHost(const SimHost &) = delete;
    SimHost &operator=(const SimHost &) = delete;

    // Opens the line, loads the state file and starts serving (a restart
    // keeps the settings the engine had).  False (with
    // the reason) when the line cannot be opened or the state file exists
    // but is not a settings file.
    bool start(std::string *error = nullptr);
    // Stops serving and closes the line; safe to call more than once.
    void stop();
    bool running() const { return worker.joinable(); }

    // The path the tool should open.
    std::string slavePath() const { return path; }

    TransmitterSettings settings() const;
    void setSettings(const TransmitterSettings &s);
    SimEngine::Stats stats() const;
    bool streaming() const;
    // True once the cable was pulled.
    bool pulled() const { return cablePulled; }

private:
    // The settings to start from: kept from the last run, or the state file's.
    bool loadInitial(TransmitterSettings &initial, std::string *error);
    // Opens a new pseudo-terminal, or the given device, raw and non-blocking.
    bool openLine(std::string *error);
    void run();
    // How long the worker may sleep: until the engine's next packet or
    // the cable's pull, a second at most.
    int pollTimeout(int64_t now);
    void saveIfChanged();
    void wireEngine();
    void writePacket(const Bytes &b);
    bool writeAll(const uint8_t *data, size_t n);
    void pullCable();
    void log(const std::string &msg);
    static int64_t nowMs();

    Config conf;
    mutable std::mutex mtx;  // guards engine
    SimEngine engine;
    std::thread worker;
    std::atomic<bool> stopping{false};
    int lineFd = -1;  // master side, or the device
    int holdFd = -1;  // our own handle on the slave side, so the line never hangs up
    int wakeRd = -1, wakeWr = -1;
    std::string path;
    bool stateDirty = false;  // worker thread only
    std::atomic<bool> cablePulled{false};
    int64_t startedMs = 0;
    uint64_t packetsWritten = 0;  // worker thread only
    uint32_t rng = 1;             // worker thread only
};

}  // namespace zqsim
