#include "import/generator/generated_config.hpp"

#include <algorithm>
#include <vector>

namespace quarn {
namespace {

class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    bool chance(unsigned percent) { return below(100) < percent; }

  private:
    std::uint64_t state_;
};

constexpr std::size_t k_vlans = 40;
constexpr std::size_t k_copper = 48;
constexpr std::size_t k_cages = 4;

// What one port carries, decided once and written in each dialect's words.
struct PortPlan {
    bool trunk = false;
    unsigned vlan = 1;   // access VLAN or native VLAN
    unsigned first = 10; // trunk: first..last, then plus `extra`
    unsigned last = 20;
    unsigned extra = 30;
    unsigned voice = 0;
    unsigned lag = 0; // 0: none
    bool shut = false;
    bool described = false;
};

unsigned vlan_id(std::size_t i) {
    return static_cast<unsigned>(10 * (i + 1));
}

PortPlan plan(Random& random, bool cage, unsigned member) {
    PortPlan p;
    p.trunk = cage || random.chance(15);
    p.vlan = vlan_id(random.below(k_vlans));
    p.first = vlan_id(random.below(k_vlans / 2));
    p.last = p.first + vlan_id(random.below(k_vlans / 2));
    p.extra = vlan_id(random.below(k_vlans));
    if (!p.trunk && random.chance(30)) p.voice = vlan_id(1);
    if (cage && random.chance(50)) p.lag = member;
    p.shut = random.chance(10);
    p.described = random.chance(60);
    return p;
}

class Writer {
  public:
    Writer(std::size_t lines) : budget_(lines) {}
    void line(const std::string& text) {
        text_ += text;
        text_ += '\n';
        ++count_;
    }
    [[nodiscard]] bool full() const { return count_ >= budget_; }
    [[nodiscard]] std::size_t budget() const { return budget_; }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
    std::size_t count_ = 0;
    std::size_t budget_;
};

std::string n(unsigned value) {
    return std::to_string(value);
}

void cisco(Writer& w, Random& random, bool nxos) {
    if (nxos) {
        w.line("!Command: show running-config");
        w.line("version 9.3(8) Bios:version 05.45");
        w.line("switchname gen-stack");
        w.line("feature lacp");
        w.line("feature interface-vlan");
    } else {
        w.line("version 17.9");
        w.line("service timestamps debug datetime msec");
        w.line("service timestamps log datetime msec");
        w.line("hostname gen-stack");
        w.line("boot-start-marker");
        w.line("boot-end-marker");
    }
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("vlan " + n(vlan_id(i)));
        w.line(std::string(nxos ? "  " : " ") + "name Role-" + n(vlan_id(i)));
    }
    std::string in = nxos ? "  " : " ";
    for (unsigned member = 1; !w.full(); ++member) {
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            std::string name =
                nxos   ? "Ethernet" + n(member) + "/" + n(static_cast<unsigned>(p))
                : cage ? "TenGigabitEthernet" + n(member) + "/1/" + n(static_cast<unsigned>(p - k_copper))
                       : "GigabitEthernet" + n(member) + "/0/" + n(static_cast<unsigned>(p));
            w.line("interface " + name);
            if (plan_.described)
                w.line(in + "description Desk " + n(member) + "-" + n(static_cast<unsigned>(p)));
            if (plan_.trunk) {
                w.line(in + "switchport trunk native vlan " + n(plan_.vlan));
                w.line(in + "switchport trunk allowed vlan " + n(plan_.first) + "-" + n(plan_.last));
                w.line(in + "switchport trunk allowed vlan add " + n(plan_.extra));
                w.line(in + "switchport mode trunk");
            } else {
                w.line(in + "switchport access vlan " + n(plan_.vlan));
                w.line(in + "switchport mode access");
                if (plan_.voice) w.line(in + "switchport voice vlan " + n(plan_.voice));
                w.line(in + "spanning-tree portfast");
            }
            if (plan_.lag) w.line(in + "channel-group " + n(plan_.lag) + " mode active");
            w.line(in + (plan_.shut ? "shutdown" : "no shutdown"));
            if (!nxos) w.line("!");
        }
    }
}

void aruba(Writer& w, Random& random) {
    w.line("; J9729A Configuration Editor; Created on release #WB.16.10.0009");
    w.line("hostname \"gen-stack\"");
    std::vector<std::vector<std::string>> untagged(k_vlans);
    std::vector<std::vector<std::string>> tagged(k_vlans);
    for (unsigned member = 1; !w.full(); ++member) {
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            PortPlan plan_ = plan(random, p > k_copper, member);
            std::string name = n(member) + "/" + n(static_cast<unsigned>(p));
            untagged[plan_.vlan / 10 - 1].push_back(name);
            if (plan_.trunk)
                for (unsigned id = plan_.first; id <= plan_.last && id <= vlan_id(k_vlans - 1); id += 10)
                    tagged[id / 10 - 1].push_back(name);
            if (plan_.voice) tagged[plan_.voice / 10 - 1].push_back(name);
            w.line("interface " + name);
            if (plan_.described) w.line("   name \"Desk " + name + "\"");
            if (plan_.shut) w.line("   disable");
            w.line("   exit");
        }
    }
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("vlan " + n(vlan_id(i)));
        w.line("   name \"Role-" + n(vlan_id(i)) + "\"");
        for (std::size_t k = 0; k < untagged[i].size(); k += 8) {
            std::string list;
            for (std::size_t j = k; j < k + 8 && j < untagged[i].size(); ++j)
                list += (j > k ? "," : "") + untagged[i][j];
            w.line("   untagged " + list);
        }
        for (std::size_t k = 0; k < tagged[i].size(); k += 8) {
            std::string list;
            for (std::size_t j = k; j < k + 8 && j < tagged[i].size(); ++j)
                list += (j > k ? "," : "") + tagged[i][j];
            w.line("   tagged " + list);
        }
        w.line("   exit");
    }
}

void comware(Writer& w, Random& random) {
    w.line("#");
    w.line(" sysname gen-stack");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("#");
        w.line("vlan " + n(vlan_id(i)));
        w.line(" name Role-" + n(vlan_id(i)));
    }
    for (unsigned member = 1; !w.full(); ++member) {
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            w.line("#");
            w.line(cage ? "interface Ten-GigabitEthernet" + n(member) + "/0/" + n(static_cast<unsigned>(p))
                        : "interface GigabitEthernet" + n(member) + "/0/" + n(static_cast<unsigned>(p)));
            if (plan_.described) w.line(" description Desk " + n(member) + "-" + n(static_cast<unsigned>(p)));
            if (plan_.shut) w.line(" shutdown");
            if (plan_.trunk) {
                w.line(" port link-type trunk");
                w.line(" undo port trunk permit vlan 1");
                w.line(" port trunk permit vlan " + n(plan_.first) + " to " + n(plan_.last) + " " +
                       n(plan_.extra));
                w.line(" port trunk pvid vlan " + n(plan_.vlan));
            } else {
                w.line(" port access vlan " + n(plan_.vlan));
                if (plan_.voice) w.line(" voice vlan " + n(plan_.voice) + " enable");
            }
            if (plan_.lag) w.line(" port link-aggregation group " + n(plan_.lag));
        }
    }
    w.line("#");
    w.line("return");
}

void junos(Writer& w, Random& random) {
    w.line("set system host-name gen-stack");
    for (std::size_t i = 0; i < k_vlans; ++i)
        w.line("set vlans role-" + n(vlan_id(i)) + " vlan-id " + n(vlan_id(i)));
    for (unsigned member = 0; !w.full(); ++member) {
        for (std::size_t p = 0; p < k_copper + k_cages && !w.full(); ++p) {
            bool cage = p >= k_copper;
            PortPlan plan_ = plan(random, cage, member + 1);
            std::string name = cage ? "xe-" + n(member) + "/1/" + n(static_cast<unsigned>(p - k_copper))
                                    : "ge-" + n(member) + "/0/" + n(static_cast<unsigned>(p));
            std::string at = "set interfaces " + name;
            std::string sw = at + " unit 0 family ethernet-switching";
            if (plan_.described) w.line(at + " description \"Desk " + name + "\"");
            if (plan_.shut) w.line(at + " disable");
            if (plan_.lag) {
                w.line(at + " ether-options 802.3ad ae" + n(plan_.lag));
                continue;
            }
            if (plan_.trunk) {
                w.line(sw + " interface-mode trunk");
                w.line(sw + " vlan members " + n(plan_.first) + "-" + n(plan_.last));
                w.line(sw + " vlan members role-" + n(plan_.extra));
                w.line(at + " native-vlan-id " + n(plan_.vlan));
            } else {
                w.line(sw + " interface-mode access");
                w.line(sw + " vlan members role-" + n(plan_.vlan));
            }
        }
    }
}

std::string port_number(std::size_t p) {
    return std::to_string(p);
}

// "10-40,70": a trunk's VLANs as the dash-list families write them.
std::string trunk_list(const PortPlan& p) {
    return n(p.first) + "-" + n(p.last) + "," + n(p.extra);
}

void aruba_cx(Writer& w, Random& random) {
    w.line("!Version ArubaOS-CX FL.10.10.1000");
    w.line("!export-password: default");
    w.line("hostname gen-stack");
    w.line("vlan 1");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("vlan " + n(vlan_id(i)));
        w.line("    name Role-" + n(vlan_id(i)));
        w.line("    exit");
    }
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("interface lag " + n(member));
        w.line("    no shutdown");
        w.line("    no routing");
        w.line("    vlan trunk native 1");
        w.line("    vlan trunk allowed 10-400");
        w.line("    exit");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            PortPlan plan_ = plan(random, p > k_copper, member);
            w.line("interface " + n(member) + "/1/" + port_number(p));
            if (plan_.described) w.line("    description Desk " + n(member) + "-" + port_number(p));
            w.line(plan_.shut ? "    shutdown" : "    no shutdown");
            if (plan_.lag) {
                w.line("    lag " + n(plan_.lag));
            } else {
                w.line("    no routing");
                if (plan_.trunk) {
                    w.line("    vlan trunk native " + n(plan_.vlan));
                    w.line("    vlan trunk allowed " + n(plan_.first) + "-" + n(plan_.last));
                    w.line("    vlan trunk allowed " + n(plan_.extra));
                } else {
                    w.line("    vlan access " + n(plan_.vlan));
                }
            }
            w.line("    exit");
        }
    }
}

void dell_os10(Writer& w, Random& random) {
    w.line("! Version 10.5.2.4");
    w.line("!");
    w.line("hostname gen-stack");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("interface vlan" + n(vlan_id(i)));
        w.line(" description Role-" + n(vlan_id(i)));
        w.line(" no shutdown");
        w.line("!");
    }
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("interface port-channel" + n(member));
        w.line(" no shutdown");
        w.line(" switchport mode trunk");
        w.line(" switchport access vlan 1");
        w.line(" switchport trunk allowed vlan 10-400");
        w.line("!");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            w.line(cage ? "interface ethernet" + n(member) + "/1/49:" + port_number(p - k_copper)
                        : "interface ethernet" + n(member) + "/1/" + port_number(p));
            if (plan_.described) w.line(" description Desk" + n(member) + "-" + port_number(p));
            w.line(plan_.shut ? " shutdown" : " no shutdown");
            if (plan_.lag) {
                w.line(" channel-group " + n(plan_.lag) + " mode active");
                w.line(" no switchport");
            } else if (plan_.trunk) {
                w.line(" switchport mode trunk");
                w.line(" switchport access vlan " + n(plan_.vlan));
                w.line(" switchport trunk allowed vlan " + trunk_list(plan_));
            } else {
                w.line(" switchport access vlan " + n(plan_.vlan));
            }
            w.line(" flowcontrol receive on");
            w.line("!");
        }
    }
}

void dell_os6(Writer& w, Random& random) {
    w.line("!Current Configuration:");
    w.line("!System Description \"Dell Networking N3048, 6.5.2.3, Linux 3.7.10-e500mc\"");
    w.line("!System Software Version 6.5.2.3");
    w.line("!");
    w.line("configure");
    std::string all;
    for (std::size_t i = 0; i < k_vlans; ++i) all += (i ? "," : "") + n(vlan_id(i));
    w.line("vlan " + all);
    w.line("exit");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("vlan " + n(vlan_id(i)));
        w.line("name \"Role-" + n(vlan_id(i)) + "\"");
        w.line("exit");
    }
    w.line("hostname \"gen-stack\"");
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("interface port-channel " + n(member));
        w.line("switchport mode trunk");
        w.line("exit");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            w.line(cage ? "interface Te" + n(member) + "/0/" + port_number(p - k_copper)
                        : "interface Gi" + n(member) + "/0/" + port_number(p));
            if (plan_.described) w.line("description \"Desk " + n(member) + "-" + port_number(p) + "\"");
            if (plan_.trunk) {
                w.line("switchport mode trunk");
                w.line("switchport trunk native vlan " + n(plan_.vlan));
                w.line("switchport trunk allowed vlan " + trunk_list(plan_));
            } else if (p % 7 == 0) {
                w.line("switchport mode general");
                w.line("switchport general pvid " + n(plan_.vlan));
                w.line("switchport general allowed vlan add " + n(plan_.vlan));
                w.line("switchport general allowed vlan add " + n(plan_.extra) + " tagged");
            } else {
                w.line("switchport access vlan " + n(plan_.vlan));
                if (plan_.voice) w.line("switchport voice vlan " + n(plan_.voice));
            }
            if (plan_.lag) w.line("channel-group " + n(plan_.lag) + " mode active");
            if (plan_.shut) w.line("shutdown");
            w.line("exit");
            w.line("!");
        }
    }
    w.line("exit");
}

void cisco_sb(Writer& w, Random& random) {
    w.line("config-file-header");
    w.line("gen-stack");
    w.line("v3.2.1.1 / RCBS3.2hotfix_950_377_136");
    w.line("CLI v1.0");
    w.line("file SSD indicator encrypted");
    w.line("@");
    w.line("!");
    w.line("vlan database");
    std::string all;
    for (std::size_t i = 0; i < k_vlans; ++i) all += (i ? "," : "") + n(vlan_id(i));
    w.line("vlan " + all);
    w.line("exit");
    w.line("hostname gen-stack");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("interface vlan " + n(vlan_id(i)));
        w.line(" name Role-" + n(vlan_id(i)));
        w.line("!");
    }
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("interface Port-channel" + n(member));
        w.line(" switchport mode trunk");
        w.line(" switchport trunk allowed vlan 10-400");
        w.line("!");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            w.line(cage ? "interface TenGigabitEthernet" + n(member) + "/0/" + port_number(p - k_copper)
                        : "interface GigabitEthernet" + n(member) + "/0/" + port_number(p));
            if (plan_.described) w.line(" description \"Desk " + n(member) + "-" + port_number(p) + "\"");
            if (plan_.trunk) {
                w.line(" switchport mode trunk");
                w.line(" switchport trunk native vlan " + n(plan_.vlan));
                w.line(" switchport trunk allowed vlan " + trunk_list(plan_));
            } else if (p % 5 == 0) {
                w.line(" switchport mode general");
                w.line(" switchport general allowed vlan add " + n(plan_.extra) + " tagged");
                w.line(" switchport general allowed vlan add " + n(plan_.vlan) + " untagged");
                w.line(" switchport general pvid " + n(plan_.vlan));
            } else {
                w.line(" switchport access vlan " + n(plan_.vlan));
            }
            if (plan_.lag) w.line(" channel-group " + n(plan_.lag) + " mode auto");
            if (plan_.shut) w.line(" shutdown");
            w.line("!");
        }
    }
    w.line("exit");
}

void alliedware(Writer& w, Random& random) {
    w.line("!");
    w.line("hostname gen-stack");
    w.line("!");
    w.line("vlan database");
    for (std::size_t i = 0; i < k_vlans; ++i)
        w.line(" vlan " + n(vlan_id(i)) + " name Role-" + n(vlan_id(i)));
    w.line("!");
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("interface sa" + n(member));
        w.line(" switchport");
        w.line(" switchport mode trunk");
        w.line(" switchport trunk allowed vlan add 10-400");
        w.line("!");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            w.line(cage ? "interface port" + n(member) + ".1." + port_number(p - k_copper)
                        : "interface port" + n(member) + ".0." + port_number(p));
            if (plan_.described) w.line(" description Desk-" + n(member) + "-" + port_number(p));
            w.line(" switchport");
            if (plan_.trunk) {
                w.line(" switchport mode trunk");
                w.line(" switchport trunk allowed vlan add " + trunk_list(plan_));
                w.line(" switchport trunk native vlan " + n(plan_.vlan));
            } else {
                w.line(" switchport mode access");
                w.line(" switchport access vlan " + n(plan_.vlan));
            }
            if (plan_.lag) w.line(" static-channel-group " + n(plan_.lag));
            if (plan_.shut) w.line(" shutdown");
            w.line("!");
        }
    }
    w.line("end");
}

void edgeswitch(Writer& w, Random& random) {
    w.line("!Current Configuration:");
    w.line("!System Description \"EdgeSwitch 48-Port 500W, 1.9.3.5266263, Linux 3.6.5\"");
    w.line("!System Software Version \"1.9.3.5266263\"");
    w.line("!");
    w.line("vlan database");
    std::string all;
    for (std::size_t i = 0; i < k_vlans; ++i) all += (i ? "," : "") + n(vlan_id(i));
    w.line("vlan " + all);
    for (std::size_t i = 0; i < k_vlans; ++i)
        w.line("vlan name " + n(vlan_id(i)) + " \"Role-" + n(vlan_id(i)) + "\"");
    w.line("exit");
    w.line("configure");
    w.line("hostname \"gen-stack\"");
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("interface lag " + n(member));
        w.line("vlan participation include 10-400");
        w.line("vlan tagging 10-400");
        w.line("exit");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            PortPlan plan_ = plan(random, p > k_copper, member);
            w.line("interface " + n(member) + "/0/" + port_number(p));
            if (plan_.described) w.line("description 'Desk " + n(member) + "-" + port_number(p) + "'");
            if (plan_.lag) {
                w.line("addport lag " + n(plan_.lag));
            } else {
                w.line("vlan pvid " + n(plan_.vlan));
                w.line("vlan participation exclude 1");
                w.line("vlan participation include " + n(plan_.vlan));
                if (plan_.trunk) {
                    w.line("vlan participation include " + trunk_list(plan_));
                    w.line("vlan tagging " + trunk_list(plan_));
                }
            }
            if (plan_.shut) w.line("shutdown");
            w.line("exit");
        }
    }
    w.line("exit");
}

// Ruckus ICX: the ports' VLANs in the VLAN blocks, a LAG per stack member.
void fastiron(Writer& w, Random& random) {
    std::vector<std::string> interfaces;
    std::vector<std::string> lags;
    std::vector<std::vector<std::string>> untagged(k_vlans);
    std::vector<std::vector<std::string>> tagged(k_vlans);
    std::size_t count = 0;
    unsigned members = 0;
    auto in_vlan = [](std::vector<std::string>& list, const std::string& item) {
        if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
    };
    for (unsigned member = 1; count < w.budget(); ++member) {
        members = member;
        std::vector<std::string> lag_ports;
        for (std::size_t p = 1; p <= k_copper + k_cages && count < w.budget(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            std::string name = n(member) + (cage ? "/2/" + n(static_cast<unsigned>(p - k_copper))
                                                 : "/1/" + n(static_cast<unsigned>(p)));
            // A LAG's VLANs are the LAG's: its first member's plan stands for all.
            std::string item = "ethe " + name;
            if (p % 2 == 0) ++count; // its place in the VLAN blocks and the module lines
            if (plan_.lag) {
                lag_ports.push_back(name);
                if (lag_ports.size() > 1) continue;
                item = "lag " + n(plan_.lag);
            }
            in_vlan(untagged[plan_.vlan / 10 - 1], item);
            if (plan_.trunk) {
                for (unsigned id = plan_.first; id <= plan_.last && id <= vlan_id(k_vlans - 1); id += 10)
                    if (id != plan_.vlan) in_vlan(tagged[id / 10 - 1], item);
                if (plan_.extra != plan_.vlan) in_vlan(tagged[plan_.extra / 10 - 1], item);
            }
            if (plan_.voice && plan_.voice != plan_.vlan) in_vlan(tagged[plan_.voice / 10 - 1], item);
            if (!plan_.described && !plan_.shut) continue;
            interfaces.push_back("interface ethernet " + name);
            if (plan_.described) interfaces.push_back(" port-name Desk " + name);
            if (plan_.shut) interfaces.push_back(" disable");
            interfaces.push_back("!");
            count += 2 + (plan_.described ? 1 : 0) + (plan_.shut ? 1 : 0);
        }
        if (!lag_ports.empty()) {
            lags.push_back("lag uplink-" + n(member) + " dynamic id " + n(member));
            std::string ports;
            for (const std::string& port : lag_ports) ports += " ethe " + port;
            lags.push_back(" ports" + ports);
            lags.push_back(" primary-port " + lag_ports.front());
            lags.push_back(" deploy");
            lags.push_back("!");
            count += 5;
        }
    }
    w.line("Current configuration:");
    w.line("!");
    w.line("ver 08.0.95bT213");
    w.line("!");
    for (unsigned member = 1; member <= members; ++member) {
        w.line("stack unit " + n(member));
        w.line("  module 1 icx7450-48p-poe-management-module");
        w.line("  module 2 icx7400-4x10gf-module");
        w.line("!");
    }
    for (const std::string& line : lags) w.line(line);
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("vlan " + n(vlan_id(i)) + " name Role-" + n(vlan_id(i)) + " by port");
        for (const auto* list : {&tagged[i], &untagged[i]}) {
            for (std::size_t k = 0; k < list->size(); k += 8) {
                std::string line = list == &tagged[i] ? " tagged" : " untagged";
                for (std::size_t j = k; j < k + 8 && j < list->size(); ++j) line += " " + (*list)[j];
                w.line(line);
            }
        }
        w.line(" spanning-tree 802-1w");
        w.line("!");
    }
    w.line("hostname gen-stack");
    w.line("!");
    for (const std::string& line : interfaces) w.line(line);
    w.line("end");
}

void vrp(Writer& w, Random& random) {
    w.line("!Software Version V200R011C10SPC600");
    w.line("#");
    w.line("sysname gen-stack");
    w.line("#");
    std::string batch = "vlan batch";
    for (std::size_t i = 0; i < k_vlans; ++i) batch += " " + n(vlan_id(i));
    w.line(batch);
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("#");
        w.line("vlan " + n(vlan_id(i)));
        w.line(" description Role-" + n(vlan_id(i)));
    }
    for (unsigned member = 1; !w.full(); ++member) {
        w.line("#");
        w.line("interface Eth-Trunk" + n(member));
        w.line(" port link-type trunk");
        w.line(" port trunk allow-pass vlan 10 to " + n(vlan_id(k_vlans / 2)));
        w.line(" mode lacp");
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            w.line("#");
            w.line(cage ? "interface XGigabitEthernet" + n(member - 1) + "/0/" +
                              n(static_cast<unsigned>(p - k_copper))
                        : "interface GigabitEthernet" + n(member - 1) + "/0/" + n(static_cast<unsigned>(p)));
            if (plan_.described) w.line(" description Desk " + n(member) + "-" + n(static_cast<unsigned>(p)));
            if (plan_.shut) w.line(" shutdown");
            if (plan_.lag) {
                w.line(" eth-trunk " + n(plan_.lag));
            } else if (plan_.trunk) {
                w.line(" port link-type trunk");
                w.line(" undo port trunk allow-pass vlan 1");
                w.line(" port trunk allow-pass vlan " + n(plan_.first) + " to " + n(plan_.last) + " " +
                       n(plan_.extra));
                w.line(" port trunk pvid vlan " + n(plan_.vlan));
            } else {
                w.line(" port link-type access");
                w.line(" port default vlan " + n(plan_.vlan));
                if (plan_.voice) w.line(" voice-vlan " + n(plan_.voice) + " enable");
                w.line(" stp edged-port enable");
            }
        }
    }
    w.line("#");
    w.line("return");
}

// RouterOS writes a long list over several lines, each continued with `\`.
void wrapped(Writer& w, std::string text) {
    constexpr std::size_t k_width = 79;
    while (text.size() > k_width) {
        w.line(text.substr(0, k_width - 1) + "\\");
        text = "    " + text.substr(k_width - 1);
    }
    w.line(text);
}

// MikroTik: one bridge with VLAN filtering, ports in PVIDs, the VLAN table.
void routeros(Writer& w, Random& random) {
    std::vector<std::string> ethernet;
    std::vector<std::string> bonding;
    std::vector<std::string> ports;
    std::vector<std::string> lists;
    std::vector<std::vector<std::string>> tagged(k_vlans);
    std::size_t count = 0;
    unsigned copper = 0;
    unsigned cages = 0;
    for (unsigned member = 1; count < w.budget(); ++member) {
        std::vector<std::string> slaves;
        for (std::size_t p = 1; p <= k_copper + k_cages && count < w.budget(); ++p) {
            bool cage = p > k_copper;
            PortPlan plan_ = plan(random, cage, member);
            std::string name = cage ? "sfp-sfpplus" + n(++cages) : "ether" + n(++copper);
            if (plan_.described) {
                ethernet.push_back("set [ find default-name=" + name + " ] comment=\"Desk " + name + "\"");
                ++count;
            }
            if (plan_.shut) {
                ethernet.push_back("set [ find default-name=" + name + " ] disabled=yes");
                ++count;
            }
            std::string item = name;
            if (plan_.lag) {
                slaves.push_back(name);
                if (slaves.size() > 1) continue;
                item = "bond" + n(member);
            }
            std::string line = "add bridge=bridge1 interface=" + item;
            if (plan_.trunk) {
                line += " pvid=" + n(plan_.vlan);
                for (unsigned id = plan_.first; id <= plan_.last && id <= vlan_id(k_vlans - 1); id += 10)
                    if (id != plan_.vlan) tagged[id / 10 - 1].push_back(item);
            } else {
                line += " pvid=" + n(plan_.vlan) + " frame-types=admit-only-untagged-and-priority-tagged";
                if (plan_.voice && plan_.voice != plan_.vlan) tagged[plan_.voice / 10 - 1].push_back(item);
            }
            ports.push_back(line);
            lists.push_back("add interface=" + item + " list=LAN");
            count += 2;
        }
        if (!slaves.empty()) {
            std::string list;
            for (const std::string& slave : slaves) list += (list.empty() ? "" : ",") + slave;
            bonding.push_back("add mode=802.3ad name=bond" + n(member) + " slaves=" + list);
            ++count;
        }
        count += k_vlans / 8; // the VLAN table grows with the ports
    }
    w.line("# 2024-03-05 09:12:44 by RouterOS 7.14");
    w.line("# model = CRS354-48G-4S+2Q+");
    w.line("/interface bridge");
    w.line("add name=bridge1 vlan-filtering=yes");
    w.line("/interface ethernet");
    for (const std::string& line : ethernet) w.line(line);
    w.line("/interface bonding");
    for (const std::string& line : bonding) w.line(line);
    w.line("/interface vlan");
    for (std::size_t i = 0; i < k_vlans; ++i)
        w.line("add interface=bridge1 name=role-" + n(vlan_id(i)) + " vlan-id=" + n(vlan_id(i)));
    w.line("/interface list");
    w.line("add name=LAN");
    w.line("/interface bridge port");
    for (const std::string& line : ports) w.line(line);
    w.line("/interface list member");
    for (const std::string& line : lists) w.line(line);
    w.line("/interface bridge vlan");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        std::string list = "bridge1";
        for (const std::string& item : tagged[i]) list += "," + item;
        wrapped(w, "add bridge=bridge1 tagged=" + list + " vlan-ids=" + n(vlan_id(i)));
    }
    w.line("/system identity");
    w.line("set name=gen-stack");
}

// ExtremeXOS: VLANs by name, ports added to them one command at a time.
void exos(Writer& w, Random& random) {
    w.line("#");
    w.line("# Module devmgr configuration.");
    w.line("#");
    w.line("configure snmp sysName \"gen-stack\"");
    w.line("#");
    w.line("# Module vlan configuration.");
    w.line("#");
    w.line("configure vlan default delete ports all");
    for (std::size_t i = 0; i < k_vlans; ++i) {
        w.line("create vlan \"role-" + n(vlan_id(i)) + "\"");
        w.line("configure vlan role-" + n(vlan_id(i)) + " tag " + n(vlan_id(i)));
    }
    for (unsigned member = 1; !w.full(); ++member) {
        std::string slot = n(member) + ":";
        w.line("configure vr VR-Default add ports " + slot + "1-" +
               n(static_cast<unsigned>(k_copper + k_cages)));
        std::vector<std::string> lag;
        for (std::size_t p = 1; p <= k_copper + k_cages && !w.full(); ++p) {
            PortPlan plan_ = plan(random, p > k_copper, member);
            std::string port = slot + n(static_cast<unsigned>(p));
            if (plan_.described)
                w.line("configure ports " + port + " description-string \"Desk " + port + "\"");
            if (plan_.shut) w.line("disable ports " + port);
            if (plan_.lag) {
                lag.push_back(port);
                if (lag.size() > 1) continue;
            }
            w.line("configure vlan role-" + n(plan_.vlan) + " add ports " + port + " untagged");
            if (plan_.trunk) {
                for (unsigned id = plan_.first; id <= plan_.last && id <= vlan_id(k_vlans - 1); id += 10)
                    if (id != plan_.vlan)
                        w.line("configure vlan role-" + n(id) + " add ports " + port + " tagged");
            } else if (plan_.voice && plan_.voice != plan_.vlan) {
                w.line("configure vlan role-" + n(plan_.voice) + " add ports " + port + " tagged");
            }
        }
        if (!lag.empty()) {
            std::string list;
            for (const std::string& port : lag) list += (list.empty() ? "" : ",") + port;
            w.line("enable sharing " + lag.front() + " grouping " + list +
                   " algorithm address-based L3 lacp");
        }
    }
}

} // namespace

std::string generate_config(std::string_view dialect, std::size_t lines, std::uint32_t seed) {
    Random random(seed);
    Writer w(lines);
    if (dialect == "nxos")
        cisco(w, random, true);
    else if (dialect == "aruba")
        aruba(w, random);
    else if (dialect == "comware")
        comware(w, random);
    else if (dialect == "junos")
        junos(w, random);
    else if (dialect == "aoscx")
        aruba_cx(w, random);
    else if (dialect == "os10")
        dell_os10(w, random);
    else if (dialect == "os6")
        dell_os6(w, random);
    else if (dialect == "ciscosb")
        cisco_sb(w, random);
    else if (dialect == "awplus")
        alliedware(w, random);
    else if (dialect == "edgeswitch")
        edgeswitch(w, random);
    else if (dialect == "fastiron")
        fastiron(w, random);
    else if (dialect == "vrp")
        vrp(w, random);
    else if (dialect == "routeros")
        routeros(w, random);
    else if (dialect == "exos")
        exos(w, random);
    else
        cisco(w, random, false);
    return w.take();
}

} // namespace quarn
