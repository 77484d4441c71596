// libFuzzer target for the listxml scanner and the fast import: the input is
// tokenized as one game chunk, read by the attribute and history scanners,
// then imported as listxml.txt into a fresh database.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "xmlimport/ListXmlImport.h"
#include "xmlimport/XmlScan.h"

using namespace arc;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::WriteSeeds(*argc, *argv,
                     {{"", "data/sample/listxml.txt"}, {"", "", R"(<?xml version="1.0"?>
<mame build="0.251">
	<machine name="a" sourcefile="a.cpp" cloneof="b" romof="b">
		<description>A &amp; B</description>
		<year>1980</year>
		<manufacturer>M</manufacturer>
		<rom name="r" size="1" crc="00000000" sha1="0"/>
		<chip type="cpu" tag="maincpu" name="Z80" clock="3072000"/>
		<display type="raster" rotate="90" width="224" height="288" refresh="60.6"/>
		<input players="2" coins="1"><control type="joy" ways="4"/></input>
		<dipswitch name="Lives" tag="DSW" mask="3"><dipvalue name="3" value="0" default="yes"/></dipswitch>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
	<machine name="d" isdevice="yes" runnable="no"><rom name="x" size="2"/></machine>
</mame>
)"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    KeyValueList pairs;
    pairs.Tokenize(text);
    const int shown = std::min(pairs.Count(), 200);
    for (int i = 1; i <= shown; ++i) {
        (void)pairs.Key(i);
        (void)pairs.Value(i);
        (void)pairs.ElementValue(i, "name");
        (void)pairs.LookupInGroup(i, "rom_name", "rom_", "rom_crc");
    }
    (void)pairs.LookupValue("name");
    (void)SplitHistorySections(text);

    const std::string path = fuzz::WriteInput("listxml.txt", text);
    fuzz::OpenFreshDatabase();
    WindowProgress progress;
    ImportListXmlFast(path, progress);
    fuzz::CloseFreshDatabase();
    return 0;
}
