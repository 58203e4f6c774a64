#include "serial/line_settings.h"

namespace qm720 {

void set_sensor_line(termios& attributes) {
    cfmakeraw(&attributes);
    attributes.c_iflag &= ~(IXON | IXOFF | IXANY);
    attributes.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    attributes.c_cflag |= CS8 | CLOCAL | CREAD;
    attributes.c_cc[VMIN] = 0;
    attributes.c_cc[VTIME] = 0;
    cfsetispeed(&attributes, B19200);
    cfsetospeed(&attributes, B19200);
}

}  // namespace qm720
