#include "core/canvas/auto_graph_workers.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace zarvik {
namespace {

// How long a thread keeps looking before it sleeps: a little longer than the work between
// two repetitions of a large diagram, so that the helper is awake when the next run comes.
constexpr std::chrono::microseconds kSpinTime{200};

// The helper is worth its processor when runs with it take at most this share of the time
// they take alone.
constexpr double kHelpedShare = 0.9;

// A chunk takes some tens of microseconds: a helper that keeps the run waiting this long
// for its last one was held up by other programs.
constexpr std::chrono::microseconds kHeldUp{500};

void Relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Waits while value holds old: spinning first, then asleep.
template <typename T>
void WaitWhile(const std::atomic<T>& value, T old) {
    const auto until = std::chrono::steady_clock::now() + kSpinTime;
    for (int32_t i = 1; value.load(std::memory_order_acquire) == old; ++i) {
        Relax();
        if (i % 64 == 0 && std::chrono::steady_clock::now() > until) {
            value.wait(old, std::memory_order_acquire);
        }
    }
}

}  // namespace

HAutoGraphWorkers::HAutoGraphWorkers() {
    if (std::thread::hardware_concurrency() < 2) {
        return;
    }
    try {
        m_helper = std::thread([this] { Help(); });
    } catch (const std::system_error&) {
        // This thread does all the work.
    }
}

HAutoGraphWorkers::~HAutoGraphWorkers() {
    if (m_helper.joinable()) {
        m_stop.store(true, std::memory_order_release);
        m_posted.fetch_add(1, std::memory_order_release);
        m_posted.notify_one();
        m_helper.join();
    }
}

void HAutoGraphWorkers::Run(int32_t chunks, const std::function<void(int32_t, int32_t)>& work) {
    if (!HasHelper() || chunks < kFewestChunksHelped) {
        RunAlone(chunks, work);
        return;
    }
    const bool helped = ChooseHelper();
    const auto start = std::chrono::steady_clock::now();
    bool heldUp = false;
    if (helped) {
        heldUp = RunHelped(chunks, work);
    } else {
        RunAlone(chunks, work);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (heldUp) {
        // Other programs keep the helper from running: alone for a while, whatever this
        // run took, and the helper is tried again later each time this happens.
        m_helpedCost = std::max(took.count() / chunks, 2 * m_aloneCost);
        m_trialSpacing = std::min(m_trialSpacing * 2, kMostTrialSpacing);
        m_runsToTrial = m_trialSpacing;
        m_trial = false;
        return;
    }
    Learn(helped, took.count() / chunks);
}

bool HAutoGraphWorkers::HelperPays() const {
    // The helper takes a second processor from whatever else runs: only for a clear gain.
    return m_helpedCost < kHelpedShare * m_aloneCost;
}

void HAutoGraphWorkers::Prepare(int32_t chunks) {
    if (HasHelper() && chunks >= kFewestChunksHelped &&
        (m_helpedCost == 0 || HelperPays() || m_runsToTrial <= 0)) {
        // A post with no open run: the helper looks, finds none and waits for the next.
        m_posted.fetch_add(1, std::memory_order_release);
        m_posted.notify_one();
    }
}

bool HAutoGraphWorkers::ChooseHelper() {
    if (m_helpedCost == 0 || m_aloneCost == 0) {
        return m_helpedCost == 0;  // each way once first, the helper first
    }
    const bool helperFaster = HelperPays();
    m_trial = --m_runsToTrial < 0;
    return m_trial != helperFaster;
}

void HAutoGraphWorkers::Learn(bool helped, double perChunk) {
    const bool known = m_helpedCost != 0 && m_aloneCost != 0;
    const bool helperWasFaster = HelperPays();
    double& cost = helped ? m_helpedCost : m_aloneCost;
    // A trial's time stands for the way tried; otherwise a quarter of the last run and
    // the rest from the runs before, so that one run held up does not turn the choice.
    cost = cost == 0 || m_trial ? perChunk : (3 * cost + perChunk) / 4;
    const bool helperFaster = HelperPays();
    if (m_trial) {
        // A trial that won brings the next one near again; one that lost puts it further off.
        m_trialSpacing = helperFaster == helped ? kFirstTrialSpacing
                                                : std::min(m_trialSpacing * 2, kMostTrialSpacing);
        m_runsToTrial = m_trialSpacing;
        m_trial = false;
    } else if (known && helperFaster != helperWasFaster) {
        // The way taken turned slower: the other one is tried again soon.
        m_trialSpacing = m_runsToTrial = kFirstTrialSpacing;
    }
}

void HAutoGraphWorkers::RunAlone(int32_t chunks,
                                 const std::function<void(int32_t, int32_t)>& work) {
    for (int32_t chunk = 0; chunk < chunks; ++chunk) {
        work(0, chunk);
    }
}

bool HAutoGraphWorkers::RunHelped(int32_t chunks,
                                  const std::function<void(int32_t, int32_t)>& work) {
    m_work = &work;
    m_chunks = chunks;
    m_next.store(0, std::memory_order_relaxed);
    m_entry.store(kOpen, std::memory_order_release);
    m_posted.fetch_add(1, std::memory_order_release);
    m_posted.notify_one();
    TakeChunks(0);
    uint32_t entry = kOpen;
    if (m_entry.compare_exchange_strong(entry, kShut, std::memory_order_acq_rel)) {
        return false;  // the helper came too late for any
    }
    // The helper may still be at its last chunk.
    const auto start = std::chrono::steady_clock::now();
    WaitWhile(m_entry, static_cast<uint32_t>(kEntered));
    return std::chrono::steady_clock::now() - start > kHeldUp;
}

void HAutoGraphWorkers::TakeChunks(int32_t lane) {
    for (int32_t chunk = m_next.fetch_add(1, std::memory_order_relaxed); chunk < m_chunks;
         chunk = m_next.fetch_add(1, std::memory_order_relaxed)) {
        (*m_work)(lane, chunk);
    }
}

void HAutoGraphWorkers::Help() {
    uint32_t seen = 0;
    for (;;) {
        WaitWhile(m_posted, seen);
        seen = m_posted.load(std::memory_order_acquire);
        if (m_stop.load(std::memory_order_acquire)) {
            return;
        }
        uint32_t entry = kOpen;
        if (!m_entry.compare_exchange_strong(entry, kEntered, std::memory_order_acq_rel)) {
            continue;  // shut already
        }
        TakeChunks(1);
        m_entry.store(kFinished, std::memory_order_release);
        m_entry.notify_one();
    }
}

}  // namespace zarvik
