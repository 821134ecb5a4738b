#include "browser/BrowserSettings.h"

#include "common/CodePage.h"
#include "common/SettingsWriter.h"

namespace lrl {

void BrowserSettings::read(const SettingsStore& store)
{
    SettingsReader form(store, kFormOpsSection);
    SettingsReader prt(store, kPrtOpsSection);
    const BrowserSettings d;

    Top = form.readInt("Top", d.Top, kPositionRange);
    Left = form.readInt("Left", d.Left, kPositionRange);
    Height = form.readInt("Height", d.Height, kSizeRange);
    Width = form.readInt("Width", d.Width, kSizeRange);
    P2 = form.readInt("P2", d.P2, kTreeWidthRange);

    Srt = form.readFlag("Srt", d.Srt);
    ShFrm = form.readFlag("ShFrm", d.ShFrm);
    ShOpt = form.readFlag("ShOpt", d.ShOpt);
    ShHnts = form.readFlag("ShHnts", d.ShHnts);
    ShLnNum = form.readFlag("ShLnNum", d.ShLnNum);
    WrdWrp = form.readFlag("WrdWrp", d.WrdWrp);
    LmtTVUpDt = true;
    SupBData = form.readFlag("SupBData", d.SupBData);
    DckTlbr = form.readFlag("DckTlbr", d.DckTlbr);
    PgNo = prt.readFlag("PgNo", d.PgNo);
    Dt = prt.readFlag("Dt", d.Dt);
    LnNo = prt.readFlag("LnNo", d.LnNo);
    FlNm = prt.readFlag("FlNm", d.FlNm);
    dsf = prt.readFlag("dsf", d.dsf);
    PrtSepPgs = prt.readFlag("PrtSepPgs", d.PrtSepPgs);

    switch (form.readInt("DckLoc", 0)) {
    case 1:
        DckLoc = ToolbarDock::Left;
        break;
    case 2:
        DckLoc = ToolbarDock::Right;
        break;
    default:
        DckLoc = ToolbarDock::Top;
        break;
    }
    AnsiCP = form.readInt("AnsiCP", d.AnsiCP);
    if (!CodePage::isSupported(AnsiCP))
        AnsiCP = d.AnsiCP;
}

void BrowserSettings::write(SettingsStore& store) const
{
    SettingsWriter form(store, kFormOpsSection);
    SettingsWriter prt(store, kPrtOpsSection);

    form.writeInt("Top", Top);
    form.writeInt("Left", Left);
    form.writeInt("Height", Height);
    form.writeInt("Width", Width);
    form.writeInt("P2", P2);

    form.writeFlag("ShFrm", ShFrm);
    form.writeFlag("Srt", Srt);
    form.writeFlag("ShOpt", ShOpt);
    form.writeFlag("ShHnts", ShHnts);
    form.writeFlag("ShLnNum", ShLnNum);
    form.writeFlag("WrdWrp", WrdWrp);
    form.writeFlag("LmtTVUpDt", LmtTVUpDt);
    form.writeFlag("SupBData", SupBData);
    form.writeFlag("DckTlbr", DckTlbr);

    prt.writeFlag("PrtSepPgs", PrtSepPgs);
    prt.writeFlag("FlNm", FlNm);
    prt.writeFlag("LnNo", LnNo);
    prt.writeFlag("PgNo", PgNo);
    prt.writeFlag("Dt", Dt);
    prt.writeFlag("dsf", dsf);

    form.writeInt("DckLoc", dockLocation(DckLoc));
    form.writeInt("AnsiCP", AnsiCP);
}

void BrowserSettings::writeDsf(SettingsStore& store, bool value) { SettingsWriter(store, kPrtOpsSection).writeFlag("dsf", value); }

int32_t BrowserSettings::dockLocation(ToolbarDock dock)
{
    switch (dock) {
    case ToolbarDock::Right:
        return 2;
    case ToolbarDock::Left:
        return 1;
    default:
        return 0;
    }
}

} // namespace lrl
