program Sample;

{ Stock Keeper: keeps the stock list of a small store room.
  The DEMO edition is built with DEMO defined and ships with DemoData.pas,
  which holds a made-up stock list; the full edition does not include it. }

uses
  Forms,
  Main in 'Main.pas' {frmMain},
  About in 'About.pas' {AboutBox},
  Options in 'Options.pas' {frmOptions},
  Inventory in 'Inventory.pas',
{$IFDEF DEMO}
  DemoData in 'DemoData.pas',
  TextTools in '..\Lib\TextTools.pas';
{$ELSE}
  TextTools in '..\Lib\TextTools.pas';
{$ENDIF}

{$R *.RES}

begin
  Application.Initialize;
  Application.Title := 'Stock Keeper';
  Application.HelpFile := 'StockKpr.hlp';
  Application.CreateForm(TfrmMain, frmMain);
  Application.CreateForm(TAboutBox, AboutBox);
  Application.CreateForm(TfrmOptions, frmOptions);
  Application.Run;
end.
