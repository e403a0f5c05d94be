#pragma once
// Two threads for the repetitions of the separation pass: the one that asks and a helper
// made with the pool. A run of chunks is shared out as they go, each thread taking the
// next chunk nobody has taken, so a helper that is slow to wake only takes fewer of them.
// Whether the helper pays depends on what else the machine runs: a helper that other
// programs hold up in the middle of a chunk holds the run up with it. So the pool times
// its runs with the helper and without, goes the faster way, and now and then tries the
// other way again, less often each time that turns out slower or the helper holds a run
// up. Between runs the helper spins a little, then sleeps.

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace zarvik {

class HAutoGraphWorkers {
public:
    // Lane 0 is the thread that calls Run, lane 1 the helper.
    static constexpr int32_t kLanes = 2;
    // Runs of fewer chunks (a diagram of under about 1 500 boxes) go alone: they are quick
    // anyway, and a helper that other programs hold up in its chunk would hold up the
    // window's step with it.
    static constexpr int32_t kFewestChunksHelped = 12;

    // Without a helper on a single processor, or when no thread can be started; Run then
    // works through every chunk itself.
    HAutoGraphWorkers();
    ~HAutoGraphWorkers();
    HAutoGraphWorkers(const HAutoGraphWorkers&) = delete;
    HAutoGraphWorkers& operator=(const HAutoGraphWorkers&) = delete;

    bool HasHelper() const { return m_helper.joinable(); }

    // Calls work(lane, chunk) once for every chunk from 0 to chunks - 1 and returns when
    // every call has returned. The calls must not depend on one another's results, nor
    // write where another one reads or writes.
    void Run(int32_t chunks, const std::function<void(int32_t, int32_t)>& work);
    // A run of about chunks comes soon: wakes the helper if the run is to go with it, so
    // that it does not come late.
    void Prepare(int32_t chunks);

private:
    // Whether the helper takes part in the run: open until the helper comes in or the
    // caller, done with the chunks, shuts it.
    enum Entry : uint32_t { kOpen, kEntered, kShut, kFinished };
    // The way not taken is tried again after this many runs at first, twice as many each
    // time it turns out slower, up to the most.
    static constexpr int32_t kFirstTrialSpacing = 8;
    static constexpr int32_t kMostTrialSpacing = 512;

    // Whether the next run goes with the helper; what a run took, in seconds a chunk.
    bool ChooseHelper();
    // Whether runs with the helper have lately been clearly faster than those without.
    bool HelperPays() const;
    void Learn(bool helped, double perChunk);
    void RunAlone(int32_t chunks, const std::function<void(int32_t, int32_t)>& work);
    // True when the helper held the run up.
    bool RunHelped(int32_t chunks, const std::function<void(int32_t, int32_t)>& work);
    void Help();
    void TakeChunks(int32_t lane);

    // The time a chunk took lately with the helper and without, 0 before the first; the
    // runs until the way not taken is tried again, and how many there will be next time.
    double m_helpedCost = 0;
    double m_aloneCost = 0;
    int32_t m_runsToTrial = kFirstTrialSpacing;
    int32_t m_trialSpacing = kFirstTrialSpacing;
    bool m_trial = false;  // the run under way tries the way not taken

    const std::function<void(int32_t, int32_t)>* m_work = nullptr;
    int32_t m_chunks = 0;
    std::atomic<int32_t> m_next{0};        // the next chunk to take
    std::atomic<uint32_t> m_entry{kShut};  // of the latest run
    std::atomic<uint32_t> m_posted{0};     // runs posted so far
    std::atomic<bool> m_stop{false};
    std::thread m_helper;  // last: it starts once everything else is in place
};

}  // namespace zarvik
