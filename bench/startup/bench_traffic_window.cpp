// What the traffic window costs. A full export of the configuration to a
// simulated unit pacing 9600 baud, with the traffic window closed and open in
// turns in the same run (the "Working" window lets events through at every
// step, as in the program, so the open window takes in its rows meanwhile);
// then the memory the window and its ring hold with 100,000 rows.
//
// usage: bench_traffic_window [ROUNDS]   (default 3: each state timed that often)
#include "comms/config_transfer.h"
#include "gui/common/please_wait.h"
#include "gui/traffic/traffic_model.h"
#include "gui/traffic/traffic_window.h"
#include "kiln_window.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <vector>

namespace {

double exportSeconds(zat::TZATWindow& window, zat::ConfigDatabase& db) {
    zat::PleaseWaitProgress progress;
    QElapsedTimer clock;
    clock.start();
    if (failed(zat::exportConfiguration(db, zat::kAllTransferGroups, window.windowContext().protocol, progress))) {
        std::fprintf(stderr, "bench_traffic_window: the export failed\n");
        std::exit(1);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double heapMegabytes() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    KilnWindow kiln("bench_traffic_window", 9600, 250);
    zat::TZATWindow& window = kiln.window;
    kiln.db.clear();
    kiln.db.comms.address = 1;
    kiln.db.comms.baudRate = 9600;
    kiln.db.comms.timeOut = 250;

    std::vector<double> closed, open;
    std::size_t rows = 0;
    for (int round = 0; round < rounds; ++round) {
        closed.push_back(exportSeconds(window, kiln.db));
        zat::TrafficWindow& traffic = window.showTraffic();
        open.push_back(exportSeconds(window, kiln.db));
        traffic.refresh();
        rows = static_cast<std::size_t>(traffic.model().rowCount());
        traffic.hide();
    }
    std::printf(
        "export at 9600 baud, %d rounds: closed %.3f s, open %.3f s (median); open/closed %.4f; "
        "%zu rows shown\n",
        rounds, median(closed), median(open), median(open) / median(closed), rows);

    // 100,000 exchanges as an export makes them, then the window over them.
    // The ring took its slots at its first record; frames this short are
    // kept inside them.
    zat::TrafficRing& ring = window.trafficRing();
    ring.clear();
    for (int n = 0; n < static_cast<int>(zat::TrafficRing::kCapacity); ++n) {
        ring.exchanged(zat::ExchangeRecord{.sentAtMs = 1796724062345 + n * 12,
                                           .request = "W01B04-0005",
                                           .reply = "*01B04-0005",
                                           .replyMs = 11,
                                           .result = zat::ExchangeResult::Answered,
                                           .attempt = 1,
                                           .attempts = 3,
                                           .address = 1});
    }
    const double ringHeld = heapMegabytes();
    const double ringMegabytes = static_cast<double>(ring.capacity() * sizeof(zat::ExchangeRecord)) / (1024.0 * 1024.0);
    zat::TrafficWindow& traffic = window.showTraffic();
    traffic.refresh();
    QApplication::processEvents();
    std::printf("100,000 rows: ring %.1f MB, the window over it %.1f MB more, %d rows shown\n", ringMegabytes,
                heapMegabytes() - ringHeld, traffic.model().rowCount());
    return 0;
}
