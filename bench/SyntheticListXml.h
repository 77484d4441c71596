#pragma once
// A synthetic -listxml document with the element mix of the emulator's current
// output (per machine on average: ~7 roms, ~4 chips, ~29 dip values in ~5
// switches, ~1 bios set in 3 of 4, devices, ports, features), written as a
// stream so that files of any size can be made.

#include <cstdint>
#include <ostream>
#include <random>
#include <string>

namespace arc::bench {

class SyntheticListXml {
  public:
    explicit SyntheticListXml(std::uint32_t seed = 251) : random_(seed) {}

    void WriteHeader(std::ostream& out) {
        out << "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n"
               "<!ELEMENT mame (machine+)>\n"
               "\t<!ATTLIST mame build CDATA #IMPLIED>\n"
               "\t<!ELEMENT machine (description, year?, manufacturer?, biosset*, rom*, disk*, "
               "device_ref*, sample*, chip*, display*, sound?, input?, dipswitch*, configuration*, "
               "port*, driver?, feature*)>\n"
               "\t\t<!ATTLIST machine name CDATA #REQUIRED>\n"
               "\t\t<!ATTLIST machine sourcefile CDATA #IMPLIED>\n"
               "\t\t<!ATTLIST machine runnable (yes|no) \"yes\">\n"
               "\t\t<!ATTLIST machine cloneof CDATA #IMPLIED>\n"
               "\t\t<!ATTLIST machine romof CDATA #IMPLIED>\n"
               "\t\t<!ATTLIST rom status (baddump|nodump|good) \"good\">\n"
               "\t\t<!ATTLIST dipvalue default (yes|no) \"no\">\n"
               "]>\n\n<mame build=\"0.251 (synthetic)\" debug=\"no\" mameconfig=\"10\">\n";
    }

    void WriteFooter(std::ostream& out) { out << "</mame>\n"; }

    /// Machine number m ("set<m>"); every third one is a clone of the one before.
    void WriteMachine(std::ostream& out, long m) {
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random_);
        };
        auto hex = [&](int digits) {
            static const char kDigits[] = "0123456789abcdef";
            std::string text;
            for (int i = 0; i < digits; ++i)
                text += kDigits[pick(0, 15)];
            return text;
        };
        const std::string name = "set" + std::to_string(m);
        const bool clone = m % 3 == 1;
        const bool device = m % 9 == 8;
        const std::string parent = "set" + std::to_string(m - 1);
        out << "\t<machine name=\"" << name << "\" sourcefile=\"drv/drv" << m % 700 << ".cpp\"";
        if (device) out << " isdevice=\"yes\" runnable=\"no\"";
        if (clone) out << " cloneof=\"" << parent << "\" romof=\"" << parent << "\"";
        out << ">\n\t\t<description>Synthetic &amp; Game " << m << " (set " << m % 4
            << ")</description>\n\t\t<year>19" << 70 + m % 30 << "</year>\n\t\t<manufacturer>Maker "
            << m % 97 << "</manufacturer>\n";
        if (m % 4 != 3)
            out << "\t\t<biosset name=\"bios0\" description=\"Bios 0\" default=\"yes\"/>\n";
        for (int r = 0, roms = device ? pick(0, 2) : pick(3, 12); r < roms; ++r) {
            out << "\t\t<rom name=\"" << name << "." << r << "\"";
            if (clone && r % 2) out << " merge=\"" << parent << "." << r << "\"";
            out << " size=\"" << (1 << pick(10, 18)) << "\" crc=\"" << hex(8) << "\" sha1=\""
                << hex(40) << "\" region=\"maincpu\" offset=\"" << r * 1000 << "\"/>\n";
        }
        if (m % 40 == 0)
            out << "\t\t<disk name=\"" << name << "\" sha1=\"" << hex(40)
                << "\" region=\"ide:0:hdd\" index=\"0\" writable=\"no\"/>\n";
        for (int d = 0, refs = pick(2, 9); d < refs; ++d)
            out << "\t\t<device_ref name=\"dev" << pick(0, 500) << "\"/>\n";
        for (int c = 0, chips = pick(1, 7); c < chips; ++c)
            out << "\t\t<chip type=\"" << (c ? "audio" : "cpu") << "\" tag=\"chip" << c
                << "\" name=\"Chip " << pick(0, 80) << "\" clock=\"" << pick(1, 9) * 1000000
                << "\"/>\n";
        if (!device) {
            out << "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"" << (m % 2 ? 90 : 0)
                << "\" width=\"" << (m % 2 ? 224 : 320) << "\" height=\"" << (m % 2 ? 288 : 240)
                << "\" refresh=\"60.000000\" pixclock=\"6000000\" htotal=\"384\" hbend=\"0\" "
                   "hbstart=\"256\" vtotal=\"264\" vbend=\"16\" vbstart=\"240\" />\n"
                << "\t\t<sound channels=\"" << pick(1, 2) << "\"/>\n"
                << "\t\t<input players=\"2\" coins=\"2\" service=\"yes\">\n"
                << "\t\t\t<control type=\"joy\" player=\"1\" buttons=\"" << pick(1, 6)
                << "\" ways=\"8\"/>\n\t\t\t<control type=\"joy\" player=\"2\" buttons=\"2\" "
                   "ways=\"8\"/>\n\t\t</input>\n";
            for (int s = 0, switches = pick(0, 12); s < switches; ++s) {
                out << "\t\t<dipswitch name=\"Switch " << s << "\" tag=\"DSW" << s / 8
                    << "\" mask=\"" << (1 << (s % 8)) << "\">\n"
                    << "\t\t\t<diplocation name=\"SW" << s / 8 << "\" number=\"" << s % 8 + 1
                    << "\"/>\n";
                for (int v = 0, values = pick(2, 8); v < values; ++v)
                    out << "\t\t\t<dipvalue name=\"Value " << v << "/" << values << "\" value=\""
                        << v << "\"" << (v == 1 ? " default=\"yes\"" : "") << "/>\n";
                out << "\t\t</dipswitch>\n";
            }
            out << "\t\t<configuration name=\"Cabinet\" tag=\"IN1\" mask=\"128\">\n"
                   "\t\t\t<confsetting name=\"Upright\" value=\"128\" default=\"yes\"/>\n"
                   "\t\t</configuration>\n"
                   "\t\t<port tag=\":IN0\">\n\t\t\t<analog mask=\"255\"/>\n\t\t</port>\n"
                << "\t\t<driver status=\"" << (m % 5 ? "good" : "imperfect")
                << "\" emulation=\"good\" savestate=\"supported\"/>\n";
            if (m % 6 == 0) out << "\t\t<feature type=\"sound\" status=\"imperfect\"/>\n";
            if (m % 50 == 0) out << "\t\t<feature type=\"palette\" status=\"unemulated\"/>\n";
        }
        out << "\t</machine>\n";
    }

  private:
    std::mt19937 random_;
};

}  // namespace arc::bench
