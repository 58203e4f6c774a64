#pragma once

#include <cstdint>
#include <vector>

#include "core/bytes.h"
#include "sim/sensor_settings.h"
#include "sim/simulated_sensor.h"

namespace qm720::sim {

struct BusOptions {
    std::uint32_t seed = 1;
    bool steady = false;  // readings never move
};

// The sensor side of the RS-485 line: every sensor hears every request and the one addressed
// answers. Malformed requests (too short, wrong length for their code, wrong CRC, unknown code)
// and requests to an address nobody has get no answer, as on a real bus.
class SensorBus {
  public:
    SensorBus(const std::vector<SensorSettings>& sensors, BusOptions options);

    // What comes back on the line for one complete request; empty for silence. The scan
    // answer is one address byte per answering sensor, in bus order, with no frame around it.
    // Any request to 255 reaches the first sensor, which answers with its own address.
    Bytes answer(const Bytes& request);

    const std::vector<SimulatedSensor>& sensors() const { return sensors_; }

    // Puts `newcomer` on the line in place of the sensor at its address, or after the others
    // when there is none.
    void replace(const SensorSettings& newcomer);

  private:
    Bytes scan_answer() const;
    SimulatedSensor* addressed(std::uint8_t address);

    std::vector<SimulatedSensor> sensors_;
    BusOptions options_;
};

}  // namespace qm720::sim
