// devsim: simulated device servers that speak the device protocol over real UDP, for tests,
// the demo and benchmarks.
//
// Devices come from a file (--file) or are generated (--count N). A device file has one device
// a line, eight fields separated by "|", blanks around fields ignored, "#" starts a comment
// line:
//
//   name | model code | ip | subnet mask | gateway | mac | version | password
//   Lab-1 | 31 | 10.77.1.10 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-3C-4D-01 | 1.20 | secret
//
// name: up to 17 bytes (17 leaves no NUL in the field); "hex:4C6162" gives the bytes in hex.
// model code: decimal 0..255 (31 and 32 are the known models). version: hex major.minor.
// password: up to 8 bytes, may be empty. Generated devices are Device-001, Device-002, ...
// at 10.0.0.10 onwards, alternately model 31 (version 1.20) and 32 (version 2.05), MAC
// 00-1A-2B-00-00-01 onwards, all with the password of --password (default empty).
//
// Behaviour: a discovery request ("QKZ" + "9") is answered with one 52-byte reply per device,
// sent to the request's source address and port only. Set IP (":"), set mask (";") and set
// gateway (">") name their device by MAC, set MAC ("<") by IP; each is applied when the
// password field matches the device's password. Soft reset ("=") makes the device silent
// (no replies, no commands) for --reset-silence ms. Firmware update ("?") puts the device in
// firmware-update mode, which shows as the suffix "-FW" on its name (the name is cut to 13
// bytes first so the result fits 16 bytes); the mode lasts until devsim exits.
// Every datagram received is logged to --log FILE as one line:
//   <monotonic time in microseconds> <source ip>:<port> <length> <hex bytes>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "SimDevice.h"
#include "protocol/DevicePacket.h"

namespace {

const char kHelp[] =
    "usage: devsim [options]\n"
    "Simulated device servers answering the device protocol on UDP.\n"
    "\n"
    "  --file PATH          devices from a file, one a line:\n"
    "                       name|model|ip|mask|gateway|mac|version|password\n"
    "                       e.g. Lab-1|31|10.77.1.10|255.255.255.0|10.77.1.1|"
    "00-1A-2B-3C-4D-01|1.20|secret\n"
    "                       (# comments; name 'hex:4C6162' for raw bytes, up to 17)\n"
    "  --count N            N generated devices instead (default 3 without --file)\n"
    "  --showcase           six built-in devices of every kind the list shows (known models\n"
    "                       named and unnamed, an unknown model), all without a password\n"
    "  --password TEXT      password of the generated devices (default empty)\n"
    "  --bind ADDR          local address to listen on (default 0.0.0.0; a socket bound to\n"
    "                       127.0.0.1 does not hear broadcasts to 127.255.255.255)\n"
    "  --port N             UDP port to listen on (default 36)\n"
    "  --reset-silence MS   silence after a soft reset (default 3000)\n"
    "  --log FILE           log every datagram received: time_us ip:port length hex\n"
    "  --flood N            answer the first request with N replies sent as fast as possible\n"
    "  --garbage            with --flood: mix in empty, 1-, 53-, 2048-byte and random datagrams\n"
    "  --duration S         exit after S seconds (default: until SIGTERM or SIGINT)\n"
    "  --quiet              no messages on stderr about commands\n"
    "  --help               this text\n"
    "\n"
    "Replies go only to the source address and port of each request, never to a broadcast\n"
    "address. Set IP/mask/gateway name the device by MAC, set MAC by IP; a change is applied\n"
    "when the password matches. Soft reset silences the device for --reset-silence ms;\n"
    "firmware update adds the suffix -FW to the device's name.\n";

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

std::uint64_t NowUs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000000u +
         static_cast<std::uint64_t>(ts.tv_nsec) / 1000u;
}

struct Options {
  std::string file;
  long count = -1;
  std::string password;
  std::string bind = "0.0.0.0";
  long port = 36;
  long resetSilenceMs = 3000;
  std::string log;
  long flood = 0;
  bool garbage = false;
  double duration = 0;
  bool quiet = false;
  bool showcase = false;
};

// The demo's devices: names, model names for unnamed known models, an unknown model, and
// addresses whose numeric order differs from their text order.
const char* const kShowcase[] = {
    "Boiler-Room    | 31 | 192.168.1.21  | 255.255.255.0 | 192.168.1.1 | 00-1A-2B-3C-4D-21 | 1.20 "
    "|",
    "Line-3 Scale   | 32 | 192.168.1.9   | 255.255.255.0 | 192.168.1.1 | 00-1A-2B-3C-4D-09 | 2.05 "
    "|",
    "               | 31 | 192.168.1.10  | 255.255.255.0 | 192.168.1.1 | 00-1A-2B-3C-4D-10 | 1.18 "
    "|",
    "               | 32 | 192.168.1.100 | 255.255.255.0 | 192.168.1.1 | 00-1A-2B-3C-4D-64 | 2.10 "
    "|",
    "Gate-West      | 7  | 192.168.1.55  | 255.255.255.0 | 192.168.1.1 | 00-1A-2B-3C-4D-37 | 1.00 "
    "|",
    "Pump-House     | 32 | 192.168.1.120 | 255.255.0.0   | 192.168.1.1 | 00-1A-2B-3C-4D-78 | 2.05 "
    "|",
};

bool ParseLong(const char* text, long min, long max, long& out) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || v < min || v > max) return false;
  out = v;
  return true;
}

// 0: run; 1: done (help); 2: bad usage.
int ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char*& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    const char* v = nullptr;
    bool ok = true;
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 1;
    } else if (a == "--file") {
      ok = value(v) && (o.file = v, true);
    } else if (a == "--count") {
      ok = value(v) && ParseLong(v, 0, 1000000, o.count);
    } else if (a == "--password") {
      ok = value(v) && (o.password = v, true);
    } else if (a == "--bind") {
      in_addr tmp;
      ok = value(v) && inet_pton(AF_INET, v, &tmp) == 1 && (o.bind = v, true);
    } else if (a == "--port") {
      ok = value(v) && ParseLong(v, 1, 65535, o.port);
    } else if (a == "--reset-silence") {
      ok = value(v) && ParseLong(v, 0, 3600000, o.resetSilenceMs);
    } else if (a == "--log") {
      ok = value(v) && (o.log = v, true);
    } else if (a == "--flood") {
      ok = value(v) && ParseLong(v, 0, 10000000, o.flood);
    } else if (a == "--garbage") {
      o.garbage = true;
    } else if (a == "--duration") {
      char* end = nullptr;
      ok = value(v) && (o.duration = std::strtod(v, &end), end != v && *end == '\0') &&
           o.duration > 0 && o.duration < 86400 * 7;
    } else if (a == "--quiet") {
      o.quiet = true;
    } else if (a == "--showcase") {
      o.showcase = true;
    } else {
      std::fprintf(stderr, "devsim: unknown option %s (see --help)\n", a.c_str());
      return 2;
    }
    if (!ok) {
      std::fprintf(stderr, "devsim: bad or missing value for %s (see --help)\n", a.c_str());
      return 2;
    }
  }
  return 0;
}

bool LoadDevices(const Options& o, std::vector<SimDevice>& devices) {
  if (!o.file.empty()) {
    std::ifstream in(o.file);
    if (!in) {
      std::fprintf(stderr, "devsim: cannot read %s\n", o.file.c_str());
      return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::size_t first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos || line[first] == '#') continue;
      SimDevice d;
      std::string error;
      if (!SimDevice::Parse(line, d, error)) {
        std::fprintf(stderr, "devsim: %s:%d: %s\n", o.file.c_str(), number, error.c_str());
        return false;
      }
      devices.push_back(d);
    }
  }
  if (o.showcase) {
    for (const char* line : kShowcase) {
      SimDevice d;
      std::string error;
      if (!SimDevice::Parse(line, d, error)) {
        std::fprintf(stderr, "devsim: built-in device: %s\n", error.c_str());
        return false;
      }
      devices.push_back(d);
    }
  }
  long generated = o.count >= 0 ? o.count : (o.file.empty() && !o.showcase ? 3 : 0);
  for (long i = 0; i < generated; ++i)
    devices.push_back(SimDevice::Generated(static_cast<std::uint32_t>(i), o.password));
  return true;
}

class Log {
 public:
  bool Open(const std::string& path) {
    if (path.empty()) return true;
    m_file = std::fopen(path.c_str(), "w");
    return m_file != nullptr;
  }
  ~Log() {
    if (m_file != nullptr) std::fclose(m_file);
  }
  void Datagram(const sockaddr_in& from, const std::uint8_t* data, std::size_t len) {
    if (m_file == nullptr) return;
    char addr[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &from.sin_addr, addr, sizeof addr);
    std::fprintf(m_file, "%llu %s:%u %zu ", static_cast<unsigned long long>(NowUs()), addr,
                 static_cast<unsigned>(ntohs(from.sin_port)), len);
    for (std::size_t i = 0; i < len; ++i) std::fprintf(m_file, "%02X", unsigned{data[i]});
    std::fputc('\n', m_file);
    std::fflush(m_file);
  }

 private:
  std::FILE* m_file = nullptr;
};

// Never answer anything that is not one host's own address and port.
bool Answerable(const sockaddr_in& to) {
  const std::uint32_t a = ntohl(to.sin_addr.s_addr);
  return to.sin_port != 0 && a != 0 && a != 0xFFFFFFFFu && (a >> 28) != 0xE;
}

void Send(int fd, const sockaddr_in& to, const void* data, std::size_t len) {
  if (!Answerable(to)) return;
  sendto(fd, data, len, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

void SendPacket(int fd, const sockaddr_in& to, const DEVICE_PACKET& p) {
  BYTE bytes[DEVICE_PACKET_SIZE];
  p.Write(bytes);
  Send(fd, to, bytes, sizeof bytes);
}

void Flood(int fd, const sockaddr_in& to, const Options& o) {
  std::uint32_t seed = 2463534242u;
  auto next = [&seed] {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    return seed;
  };
  std::vector<std::uint8_t> junk(2048);
  for (long k = 0; k < o.flood && !g_stop; ++k) {
    SendPacket(fd, to, SimDevice::Generated(static_cast<std::uint32_t>(k), o.password).Reply());
    if (!o.garbage || k % 4 != 3) continue;
    static const std::size_t kSizes[] = {0, 1, 53, 2048};
    std::size_t kind = static_cast<std::size_t>(k / 4) % 5;
    std::size_t len = kind < 4 ? kSizes[kind] : next() % 200;
    for (std::size_t i = 0; i < len; ++i) junk[i] = static_cast<std::uint8_t>(next());
    Send(fd, to, junk.data(), len);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (int r = ParseOptions(argc, argv, o); r != 0) return r == 1 ? 0 : 2;
  std::vector<SimDevice> devices;
  if (!LoadDevices(o, devices)) return 2;

  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local;
  std::memset(&local, 0, sizeof local);
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<std::uint16_t>(o.port));
  inet_pton(AF_INET, o.bind.c_str(), &local.sin_addr);
  if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    std::fprintf(stderr, "devsim: cannot listen on %s:%ld: %s\n", o.bind.c_str(), o.port,
                 std::strerror(errno));
    return 1;
  }
  Log log;
  if (!log.Open(o.log)) {
    std::fprintf(stderr, "devsim: cannot write %s\n", o.log.c_str());
    return 1;
  }

  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = OnSignal;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);

  std::printf("devsim: %zu devices on %s:%ld\n", devices.size(), o.bind.c_str(), o.port);
  std::fflush(stdout);

  const std::uint64_t start = NowUs();
  const std::uint64_t end =
      o.duration > 0 ? start + static_cast<std::uint64_t>(o.duration * 1e6) : 0;
  bool flooded = false;
  std::vector<std::uint8_t> buf(65536);
  while (!g_stop && (end == 0 || NowUs() < end)) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    sockaddr_in from;
    socklen_t fromLen = sizeof from;
    ssize_t n =
        recvfrom(fd, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n < 0) continue;
    const auto len = static_cast<std::size_t>(n);
    log.Datagram(from, buf.data(), len);
    if (len < 4 || std::memcmp(buf.data(), "QKZ", 3) != 0) continue;
    const DEVICE_PACKET packet = DEVICE_PACKET::Read(buf.data(), len);
    const std::uint64_t now = NowUs();
    if (packet.command == DEVICE_CMD_DISCOVER) {
      if (o.flood > 0 && !flooded) {
        flooded = true;
        Flood(fd, from, o);
        continue;
      }
      for (const SimDevice& d : devices)
        if (!d.Silent(now)) SendPacket(fd, from, d.Reply());
      continue;
    }
    for (SimDevice& d : devices) {
      if (d.Silent(now)) continue;
      SimDevice::Outcome outcome =
          d.Apply(packet, now, static_cast<std::uint64_t>(o.resetSilenceMs) * 1000u);
      if (!o.quiet && outcome != SimDevice::Outcome::NotForMe)
        std::fprintf(stderr, "devsim: command '%c' for %s: %s\n", packet.command, d.name.c_str(),
                     outcome == SimDevice::Outcome::Applied ? "applied" : "wrong password");
    }
  }
  close(fd);
  return 0;
}
