unit Options;

interface

uses
  Windows, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls,
  Buttons, ComCtrls, ExtCtrls, FileCtrl, Registry;

type
  TStockOptions = record
    DataFolder: string;
    KeepBackup: Boolean;
    DefaultUnit: Integer;
    ReorderLevel: Double;
    NextStockTake: TDateTime;
    ShowDecimals: Boolean;
  end;

  TfrmOptions = class(TForm)
    pgcOptions: TPageControl;
    tshGeneral: TTabSheet;
    lblDataFolder: TLabel;
    lblReorder: TLabel;
    lblStockTake: TLabel;
    edtDataFolder: TEdit;
    btnBrowse: TButton;
    chkBackup: TCheckBox;
    rgpUnits: TRadioGroup;
    edtReorder: TEdit;
    udnReorder: TUpDown;
    dtpStockTake: TDateTimePicker;
    tshDisplay: TTabSheet;
    lblColumns: TLabel;
    lblNotes: TLabel;
    lvColumns: TListView;
    memNotes: TMemo;
    btnOK: TBitBtn;
    btnCancel: TBitBtn;
    sbrHint: TStatusBar;
    procedure FormCreate(Sender: TObject);
    procedure FormShow(Sender: TObject);
    procedure btnBrowseClick(Sender: TObject);
  private
    procedure OptionsToControls(const Options: TStockOptions);
    procedure ControlsToOptions(var Options: TStockOptions);
  public
    class function Execute: Boolean;
  end;

var
  frmOptions: TfrmOptions;
  StockOptions: TStockOptions;

procedure LoadOptions(var Options: TStockOptions);
procedure SaveOptions(const Options: TStockOptions);

implementation

{$R *.DFM}

const
  RegistryKey = '\Software\Harbour Lane\Stock Keeper\Options';

procedure LoadOptions(var Options: TStockOptions);
var
  Reg: TRegistry;

  function ReadString(const Name, Default: string): string;
  begin
    if Reg.ValueExists(Name) then
      Result := Reg.ReadString(Name)
    else
      Result := Default;
  end;

begin
  Options.DataFolder := ExtractFilePath(ParamStr(0)) + 'Data';
  Options.KeepBackup := True;
  Options.DefaultUnit := 0;
  Options.ReorderLevel := 10;
  Options.NextStockTake := Date + 30;
  Options.ShowDecimals := False;
  Reg := TRegistry.Create;
  try
    if Reg.OpenKey(RegistryKey, False) then
    begin
      Options.DataFolder := ReadString('DataFolder', Options.DataFolder);
      Options.KeepBackup := ReadString('KeepBackup', '1') = '1';
      Options.DefaultUnit := StrToIntDef(ReadString('DefaultUnit', '0'), 0);
      Options.ReorderLevel := StrToFloat(ReadString('ReorderLevel', '10'));
      if Reg.ValueExists('NextStockTake') then
        Options.NextStockTake := Reg.ReadDate('NextStockTake');
    end;
  finally
    Reg.Free;
  end;
end;

procedure SaveOptions(const Options: TStockOptions);
const
  Flags: array[Boolean] of string = ('0', '1');
var
  Reg: TRegistry;
begin
  Reg := TRegistry.Create;
  try
    if Reg.OpenKey(RegistryKey, True) then
    begin
      Reg.WriteString('DataFolder', Options.DataFolder);
      Reg.WriteString('KeepBackup', Flags[Options.KeepBackup]);
      Reg.WriteString('DefaultUnit', IntToStr(Options.DefaultUnit));
      Reg.WriteString('ReorderLevel', FloatToStr(Options.ReorderLevel));
      Reg.WriteDate('NextStockTake', Options.NextStockTake);
    end;
  finally
    Reg.Free;
  end;
end;

class function TfrmOptions.Execute: Boolean;
begin
  if frmOptions = nil then
    frmOptions := TfrmOptions.Create(Application);
  frmOptions.OptionsToControls(StockOptions);
  Result := frmOptions.ShowModal = mrOK;
  if Result then
  begin
    frmOptions.ControlsToOptions(StockOptions);
    SaveOptions(StockOptions);
  end;
end;

procedure TfrmOptions.FormCreate(Sender: TObject);
const
  ColumnNames: array[0..3] of string = ('Code', 'Description', 'Quantity', 'Value');
  ColumnWidths: array[0..3] of Integer = (80, 200, 90, 90);
var
  I: Integer;
begin
  for I := Low(ColumnNames) to High(ColumnNames) do
    with lvColumns.Items.Add do
    begin
      Caption := ColumnNames[I];
      SubItems.Add(IntToStr(ColumnWidths[I]));
      SubItems.Add('0');
      Checked := True;
    end;
end;

procedure TfrmOptions.FormShow(Sender: TObject);
begin
  pgcOptions.ActivePage := tshGeneral;
  edtDataFolder.SetFocus;
end;

procedure TfrmOptions.btnBrowseClick(Sender: TObject);
var
  Folder: string;
begin
  Folder := edtDataFolder.Text;
  if SelectDirectory(Folder, [sdAllowCreate, sdPerformCreate, sdPrompt], 0) then
    edtDataFolder.Text := Folder;
end;

procedure TfrmOptions.OptionsToControls(const Options: TStockOptions);
begin
  edtDataFolder.Text := Options.DataFolder;
  chkBackup.Checked := Options.KeepBackup;
  rgpUnits.ItemIndex := Options.DefaultUnit;
  udnReorder.Position := Round(Options.ReorderLevel);
  dtpStockTake.Date := Options.NextStockTake;
end;

procedure TfrmOptions.ControlsToOptions(var Options: TStockOptions);
begin
  Options.DataFolder := edtDataFolder.Text;
  Options.KeepBackup := chkBackup.Checked;
  Options.DefaultUnit := rgpUnits.ItemIndex;
  Options.ReorderLevel := udnReorder.Position;
  Options.NextStockTake := Trunc(dtpStockTake.Date);
end;

end.
