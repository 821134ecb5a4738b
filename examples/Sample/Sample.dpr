program Sample;

{ Stock Keeper: keeps the stock list of a small store room.
  The DEMO edition is built with DEMO defined; it names the text tools
  in its own branch of the uses clause. }

uses
  Forms,
  Main in 'Main.pas' {frmMain},
  About in 'About.pas' {AboutBox},
  Options in 'Options.pas' {frmOptions},
  Inventory in 'Inventory.pas',
{$IFDEF DEMO}
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
