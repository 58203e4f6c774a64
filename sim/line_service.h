#pragma once

#include "core/bytes.h"
#include "sim/noise.h"
#include "sim/request_assembler.h"
#include "sim/sensor_bus.h"
#include "sim/sim_options.h"
#include "sim/stop_signals.h"

namespace qm720::sim {

// Carries requests from the line to the bus and the answers back, at the pace of a 19200 baud
// line: each answer starts a few milliseconds after its request and leaves one byte every
// 0.52 ms. A burst of line noise, if asked for, goes at the same pace where one answer starts.
class LineService {
  public:
    LineService(int master, SensorBus& bus, const StopSignals& stop, LineTiming timing,
                std::uint32_t seed);

    // Serves until a stop is requested or the close-after count is reached.
    void run();

  private:
    Bytes read_available() const;
    void serve(const Bytes& request, Clock::time_point arrived);
    Bytes burst_due();
    void send_paced(const Bytes& noise, const Bytes& answer) const;
    Clock::duration answer_delay();
    bool served_enough() const;

    int master_;
    SensorBus& bus_;
    const StopSignals& stop_;
    LineTiming timing_;
    Noise chance_;  // answer delays and burst bytes
    RequestAssembler assembler_;
    unsigned requests_served_ = 0;
};

}  // namespace qm720::sim
