#include "common/MemoryStream.h"
#include "scheme/SchemeTable.h"
#include "scheme/SchemeTableWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lrl;

namespace {

// Builds expected bytes field by field, in the order the stored layout lists them.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& u8(int v)
    {
        b.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    Bytes& u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes& i32(int64_t v) { return u16(static_cast<int>(v & 0xFFFF)).u16(static_cast<int>((v >> 16) & 0xFFFF)); }
    Bytes& longStr(const std::string& s)
    {
        i32(static_cast<int64_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& shortStr(const std::string& s)
    {
        u8(static_cast<int>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& set(std::initializer_list<int> members)
    {
        Set256 s = Set256::of(members);
        b.insert(b.end(), s.bytes().begin(), s.bytes().end());
        return *this;
    }
    Bytes& cls(std::initializer_list<int> members, bool negated = false) { return set(members).i32(0).u8(negated); }
};

SchemeTable smallTable()
{
    SchemeTable t;
    TSM_Settings& s = t.settings();
    s.languageName = "L";
    TSM_Effect& e = s.effects[3];
    e = { TSM_Effect::Bold, 0x11, 0x22, true, false, true, true };
    s.map[4] = 3;
    s.editableStyles[0] = { "S", 3 };
    uint16_t x = t.addCharClass(TSM_CharGroup(Set256::of({ 'x' })));
    uint16_t y = t.addCharClass(TSM_CharGroup(Set256::of({ 'y' }), true));
    uint16_t z = t.addCharClass(TSM_CharGroup(Set256::of({ 'z' })));
    t.keywords().add("ab", { Set256::of({ 1 }), x, 9 });

    TSM_Handler h;
    h.start.repeat = true;
    h.start.charClass = y;
    h.end.consume = true;
    h.end.classCount = 1;
    h.end.classes[0] = z;
    t.setHandler(9, h);

    TSM_TokenRecord r;
    r.start.numeric = true;
    r.start.routine = 10;
    r.states = Set256::of({ 0 });
    r.token = 4;
    t.tokenTable().set('q', r);
    t.setContextStates(9, Set256::of({ 2 }));
    t.fillEmptyContextStates();
    TSM_TokenValueRecord& v = t.tokenValueOrAdd(9, Set256::of({ 1 }));
    v.entry = Set256::of({ 2 });
    v.container = true;
    v.actions = TSM_TokenValueRecord::PushAfter;
    v.updateUnchanged();
    t.stateTableOrAdd(7).set('r', r);
    t.setCustomParse(true);
    return t;
}

} // namespace

TEST(SchemeTableWriter, WritesEveryFieldInTheStoredOrder)
{
    Bytes expected;
    // Settings: texts, the eleven numbers.
    expected.longStr("").longStr("L").longStr(">|:");
    expected.i32(67099632).i32(2).i32(80).i32(0).i32(34).i32(1).i32(0xFFFFFF).i32(0x8000000F);
    expected.i32(0x8000000E).i32(0x8000000D).i32(4);
    // One effect, one map entry, one editable style.
    expected.i32(1).u8(3).u8(1).i32(0x11).i32(0x22).u8(1).u8(0).u8(1).i32(1);
    expected.i32(1).u8(4).u8(3);
    expected.i32(1).longStr("S").u8(3);
    for (int i = 0; i < 128; ++i)
        expected.u8(0xFF);
    expected.longStr("Courier New").i32(10).u8(1);
    expected.u8(0).u8(0).u8(0).u8(0);
    expected.i32(0); // keyword tables
    expected.i32(0).longStr("").i32(0).shortStr(""); // auto-replace
    expected.i32(0).longStr("").i32(0); // templates
    expected.i32(0).i32(0); // key map
    expected.longStr("MS Sans Serif").i32(8).u8(1).i32(0x80000008).u8(0);
    // Keyword store.
    expected.i32(0).i32(1).shortStr("ab").cls({ 'x' }).set({ 1 }).i32(9).u8(0);
    // Handlers.
    expected.i32(1).u8(9).u8(1).cls({ 'y' }, true).u8(0).u8(1).u8(0).u8(1).cls({ 'z' });
    // Token table for all states.
    expected.i32(1).u8('q').u8(0).cls({}).u8(1).u8(0).i32(10).set({ 0 }).u8(0).cls({}).u8(0);
    expected.u8(0).u8(0).u8(0).u8(4);
    // Context states, token-value records.
    expected.i32(1).u8(9).set({ 2 });
    expected.i32(1).u8(9).set({ 1 }).set({ 2 }).set({}).u8(1).u8(0).u8(4);
    // Per-state tables.
    expected.i32(1).u8(7).i32(1).u8('r').u8(0).cls({}).u8(1).u8(0).i32(10).set({ 0 }).u8(0).cls({}).u8(0);
    expected.u8(0).u8(0).u8(0).u8(4).i32(0);
    // Anchor, bound and start sets, custom-parse flag.
    expected.set({ 0 }).set({}).set({ 0 }).u8(1);

    MemoryStream out;
    SchemeTableWriter(out, smallTable(), 51).write();
    EXPECT_EQ(out.bytes(), expected.b);
}
