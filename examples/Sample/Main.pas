unit Main;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs,
  Menus, ComCtrls, ToolWin, ExtCtrls, StdCtrls, ImgList, Inventory;

type
  TfrmMain = class(TForm)
    mnuMain: TMainMenu;
    mnuFile: TMenuItem;
    mnuFileNew: TMenuItem;
    mnuFileOpen: TMenuItem;
    mnuFileSave: TMenuItem;
    mnuFileSaveAs: TMenuItem;
    N1: TMenuItem;
    mnuFileExit: TMenuItem;
    mnuItem: TMenuItem;
    mnuItemAdd: TMenuItem;
    mnuItemDelete: TMenuItem;
    mnuItemReceive: TMenuItem;
    mnuItemIssue: TMenuItem;
    mnuTools: TMenuItem;
    mnuToolsOptions: TMenuItem;
    mnuHelp: TMenuItem;
    mnuHelpAbout: TMenuItem;
    tlbMain: TToolBar;
    tbnOpen: TToolButton;
    tbnSave: TToolButton;
    tbnSep1: TToolButton;
    tbnAdd: TToolButton;
    tbnDelete: TToolButton;
    pnlSearch: TPanel;
    lblSearch: TLabel;
    edtSearch: TEdit;
    lvStock: TListView;
    sbrMain: TStatusBar;
    dlgOpen: TOpenDialog;
    dlgSave: TSaveDialog;
    imlToolbar: TImageList;
    procedure FormCreate(Sender: TObject);
    procedure FormDestroy(Sender: TObject);
    procedure FormCloseQuery(Sender: TObject; var CanClose: Boolean);
    procedure mnuFileNewClick(Sender: TObject);
    procedure mnuFileOpenClick(Sender: TObject);
    procedure mnuFileSaveClick(Sender: TObject);
    procedure mnuFileSaveAsClick(Sender: TObject);
    procedure mnuFileExitClick(Sender: TObject);
    procedure mnuItemAddClick(Sender: TObject);
    procedure mnuItemDeleteClick(Sender: TObject);
    procedure mnuItemReceiveClick(Sender: TObject);
    procedure mnuItemIssueClick(Sender: TObject);
    procedure mnuToolsOptionsClick(Sender: TObject);
    procedure mnuHelpAboutClick(Sender: TObject);
    procedure edtSearchChange(Sender: TObject);
    procedure lvStockColumnClick(Sender: TObject; Column: TListColumn);
    procedure lvStockSelectItem(Sender: TObject; Item: TListItem;
      Selected: Boolean);
  private
    FStock: TStockList;
    FFileName: string;
    procedure StockChanged(Sender: TObject);
    procedure RefreshList;
    procedure UpdateStatus;
    function SelectedItem: TStockItem;
    function ConfirmDiscard: Boolean;
    function AskAmount(const Prompt: string; var Amount: Double): Boolean;
  end;

var
  frmMain: TfrmMain;

implementation

uses
  About, Options, TextTools;

{$R *.DFM}

const
  DefaultFileName = 'Stock.csv';

function MatchesSearch(Item: TStockItem; const Text: string): Boolean;
begin
  Result := (Text = '') or
    (Pos(UpperCase(Text), UpperCase(Item.Code)) > 0) or
    (Pos(UpperCase(Text), UpperCase(Item.Description)) > 0);
end;

procedure TfrmMain.FormCreate(Sender: TObject);
begin
  FStock := TStockList.Create;
  FStock.OnChange := StockChanged;
  FFileName := '';
  LoadOptions(StockOptions);
  if ParamCount > 0 then
  begin
    FFileName := ParamStr(1);
    FStock.LoadFromFile(FFileName);
  end;
  RefreshList;
end;

procedure TfrmMain.FormDestroy(Sender: TObject);
begin
  FStock.OnChange := nil;
  FStock.Free;
end;

procedure TfrmMain.FormCloseQuery(Sender: TObject; var CanClose: Boolean);
begin
  CanClose := ConfirmDiscard;
end;

procedure TfrmMain.StockChanged(Sender: TObject);
begin
  RefreshList;
end;

procedure TfrmMain.RefreshList;
var
  I: Integer;
  Item: TStockItem;
  ListItem: TListItem;
begin
  lvStock.Items.BeginUpdate;
  try
    lvStock.Items.Clear;
    for I := 0 to FStock.Count - 1 do
    begin
      Item := FStock[I];
      if not MatchesSearch(Item, edtSearch.Text) then
        Continue;
      ListItem := lvStock.Items.Add;
      ListItem.Caption := Item.Code;
      ListItem.Data := Item;
      ListItem.SubItems.Add(Item.Description);
      ListItem.SubItems.Add(FormatQuantity(Item.Quantity, Item.StockUnit));
      ListItem.SubItems.Add(CurrToStrF(Item.Value, ffCurrency, 2));
      if Item.BelowReorderLevel then
        ListItem.ImageIndex := 5
      else
        ListItem.ImageIndex := -1;
    end;
  finally
    lvStock.Items.EndUpdate;
  end;
  UpdateStatus;
end;

procedure TfrmMain.UpdateStatus;
begin
  if FFileName = '' then
    Caption := Application.Title + ' - (untitled)'
  else
    Caption := Application.Title + ' - ' + ExtractFileName(FFileName);
  sbrMain.Panels[0].Text := StockSummary(FStock);
  if FStock.Modified then
    sbrMain.Panels[1].Text := 'Modified'
  else
    sbrMain.Panels[1].Text := '';
  mnuItemDelete.Enabled := SelectedItem <> nil;
  mnuItemReceive.Enabled := SelectedItem <> nil;
  mnuItemIssue.Enabled := SelectedItem <> nil;
  tbnDelete.Enabled := mnuItemDelete.Enabled;
end;

function TfrmMain.SelectedItem: TStockItem;
begin
  if lvStock.Selected = nil then
    Result := nil
  else
    Result := TStockItem(lvStock.Selected.Data);
end;

function TfrmMain.ConfirmDiscard: Boolean;
begin
  Result := True;
  if FStock.Modified then
    case MessageDlg('Save the changes to the stock list?', mtConfirmation,
      [mbYes, mbNo, mbCancel], 0) of
      mrYes:
        begin
          mnuFileSaveClick(nil);
          Result := not FStock.Modified;
        end;
      mrCancel:
        Result := False;
    end;
end;

function TfrmMain.AskAmount(const Prompt: string; var Amount: Double): Boolean;
var
  Text: string;
begin
  Text := '';
  Result := InputQuery(Application.Title, Prompt, Text);
  if Result then
  begin
    Amount := ParseQuantity(Text, -1);
    if Amount < 0 then
    begin
      MessageDlg(Format('''%s'' is not a quantity.', [Text]), mtError, [mbOK], 0);
      Result := False;
    end;
  end;
end;

procedure TfrmMain.mnuFileNewClick(Sender: TObject);
begin
  if ConfirmDiscard then
  begin
    FStock.Clear;
    FStock.Modified := False;
    FFileName := '';
    RefreshList;
  end;
end;

procedure TfrmMain.mnuFileOpenClick(Sender: TObject);
begin
  if ConfirmDiscard and dlgOpen.Execute then
  begin
    Screen.Cursor := crHourGlass;
    try
      FStock.LoadFromFile(dlgOpen.FileName);
      FFileName := dlgOpen.FileName;
    finally
      Screen.Cursor := crDefault;
    end;
    RefreshList;
  end;
end;

procedure TfrmMain.mnuFileSaveClick(Sender: TObject);
begin
  if FFileName = '' then
    mnuFileSaveAsClick(Sender)
  else
  begin
    if StockOptions.KeepBackup and FileExists(FFileName) then
      CopyFile(PChar(FFileName), PChar(ChangeFileExt(FFileName, '.bak')), False);
    FStock.SaveToFile(FFileName);
    UpdateStatus;
  end;
end;

procedure TfrmMain.mnuFileSaveAsClick(Sender: TObject);
begin
  if FFileName = '' then
    dlgSave.FileName := DefaultFileName
  else
    dlgSave.FileName := FFileName;
  if dlgSave.Execute then
  begin
    FFileName := dlgSave.FileName;
    mnuFileSaveClick(Sender);
  end;
end;

procedure TfrmMain.mnuFileExitClick(Sender: TObject);
begin
  Close;
end;

procedure TfrmMain.mnuItemAddClick(Sender: TObject);
var
  Code, Description: string;
begin
  Code := '';
  if not InputQuery('New item', 'Code:', Code) then
    Exit;
  Description := '';
  if not InputQuery('New item', 'Description:', Description) then
    Exit;
  with FStock.Add(Trim(Code), Capitalize(Trim(Description)),
    TStockUnit(StockOptions.DefaultUnit)) do
    ReorderLevel := StockOptions.ReorderLevel;
end;

procedure TfrmMain.mnuItemDeleteClick(Sender: TObject);
var
  Item: TStockItem;
begin
  Item := SelectedItem;
  if (Item <> nil) and (MessageDlg(Format('Delete "%s"?', [Item.Description]),
    mtConfirmation, [mbYes, mbNo], 0) = mrYes) then
    FStock.Delete(FStock.IndexOfCode(Item.Code));
end;

procedure TfrmMain.mnuItemReceiveClick(Sender: TObject);
var
  Amount: Double;
begin
  if (SelectedItem <> nil) and AskAmount('Quantity received:', Amount) then
    SelectedItem.Receive(Amount);
end;

procedure TfrmMain.mnuItemIssueClick(Sender: TObject);
var
  Amount: Double;
begin
  if (SelectedItem <> nil) and AskAmount('Quantity issued:', Amount) then
    SelectedItem.Issue(Amount);
end;

procedure TfrmMain.mnuToolsOptionsClick(Sender: TObject);
begin
  if TfrmOptions.Execute then
    RefreshList;
end;

procedure TfrmMain.mnuHelpAboutClick(Sender: TObject);
begin
  ShowAbout;
end;

procedure TfrmMain.edtSearchChange(Sender: TObject);
begin
  RefreshList;
end;

procedure TfrmMain.lvStockColumnClick(Sender: TObject; Column: TListColumn);
begin
  FStock.SortOrder := TStockSortOrder(Column.Index);
end;

procedure TfrmMain.lvStockSelectItem(Sender: TObject; Item: TListItem;
  Selected: Boolean);
begin
  UpdateStatus;
end;

end.
