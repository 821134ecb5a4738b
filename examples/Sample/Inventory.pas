unit Inventory;

{ The stock model of Stock Keeper: one TStockItem per article kept in the
  store room, and TStockList, which owns the items, finds them by code,
  sorts them and stores them in a comma separated text file.

  File format (one item per line, fields separated by commas, text fields
  in double quotes when they contain a comma or a quote):

    Code,Description,Unit,Quantity,ReorderLevel,UnitPrice,LastCounted

  The first line holds the column names and is skipped when reading. }

interface

uses
  SysUtils, Classes;

type
  TStockUnit = (suPiece, suBox, suKilogram, suLitre);

  EStockError = class(Exception);

  TStockList = class;

  TStockItem = class(TObject)
  private
    FOwner: TStockList;
    FCode: string;
    FDescription: string;
    FStockUnit: TStockUnit;
    FQuantity: Double;
    FReorderLevel: Double;
    FUnitPrice: Currency;
    FLastCounted: TDateTime;
    function GetValue: Currency;
    function GetBelowReorderLevel: Boolean;
    procedure SetCode(const Value: string);
    procedure SetQuantity(Value: Double);
  protected
    procedure Changed; virtual;
  public
    constructor Create; overload;
    constructor Create(const ACode, ADescription: string;
      AUnit: TStockUnit); overload;
    destructor Destroy; override;
    procedure Assign(Source: TStockItem);
    procedure Receive(Amount: Double);
    procedure Issue(Amount: Double);
    procedure Count(Amount: Double; When: TDateTime);
    function AsText: string;
    property Owner: TStockList read FOwner;
    property Code: string read FCode write SetCode;
    property Description: string read FDescription write FDescription;
    property StockUnit: TStockUnit read FStockUnit write FStockUnit;
    property Quantity: Double read FQuantity write SetQuantity;
    property ReorderLevel: Double read FReorderLevel write FReorderLevel;
    property UnitPrice: Currency read FUnitPrice write FUnitPrice;
    property LastCounted: TDateTime read FLastCounted write FLastCounted;
    property Value: Currency read GetValue;
    property BelowReorderLevel: Boolean read GetBelowReorderLevel;
  end;

  TStockSortOrder = (soCode, soDescription, soQuantity, soValue);

  TStockFilter = function(Item: TStockItem): Boolean;

  TStockList = class(TObject)
  private
    FItems: TList;
    FModified: Boolean;
    FSortOrder: TStockSortOrder;
    FOnChange: TNotifyEvent;
    function GetCount: Integer;
    function GetItem(Index: Integer): TStockItem;
    procedure SetSortOrder(Value: TStockSortOrder);
  protected
    procedure ItemChanged(Item: TStockItem);
    procedure DoChange; virtual;
  public
    constructor Create;
    destructor Destroy; override;
    function Add(const ACode, ADescription: string;
      AUnit: TStockUnit): TStockItem;
    procedure Delete(Index: Integer);
    procedure Clear;
    function IndexOfCode(const ACode: string): Integer;
    function FindCode(const ACode: string): TStockItem;
    function TotalValue: Currency; overload;
    function TotalValue(Filter: TStockFilter): Currency; overload;
    procedure Sort;
    procedure LoadFromFile(const FileName: string);
    procedure SaveToFile(const FileName: string);
    procedure LoadFromStrings(Lines: TStrings);
    procedure SaveToStrings(Lines: TStrings);
    property Count: Integer read GetCount;
    property Items[Index: Integer]: TStockItem read GetItem; default;
    property Modified: Boolean read FModified write FModified;
    property SortOrder: TStockSortOrder read FSortOrder write SetSortOrder;
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
  end;

const
  StockUnitNames: array[TStockUnit] of string =
    ('Piece', 'Box', 'Kilogram', 'Litre');

function FormatQuantity(Quantity: Double; AUnit: TStockUnit): string;
function ParseQuantity(const S: string): Double; overload;
function ParseQuantity(const S: string; Default: Double): Double; overload;
function StockUnitFromName(const Name: string): TStockUnit;
function NeedsReorder(Item: TStockItem): Boolean;
function StockSummary(List: TStockList): string;

implementation

const
  FieldCount = 7;
  FileHeader = 'Code,Description,Unit,Quantity,ReorderLevel,UnitPrice,LastCounted';
  UnitSuffixes: array[TStockUnit] of string = ('pc', 'box', 'kg', 'l');

resourcestring
  SDuplicateCode = 'An item with code "%s" is already in the list';
  SEmptyCode = 'An item needs a code';
  SNegativeStock = 'Cannot issue %s of "%s": only %s in stock';
  SBadLine = 'Line %d of the stock file has %d fields instead of %d';
  SSummary = '%d items, %d below their reorder level, total value %s';

function FormatQuantity(Quantity: Double; AUnit: TStockUnit): string;
begin
  if Frac(Quantity) = 0 then
    Result := Format('%.0f %s', [Quantity, UnitSuffixes[AUnit]])
  else
    Result := Format('%.2f %s', [Quantity, UnitSuffixes[AUnit]]);
end;

function ParseQuantity(const S: string): Double;
var
  Text: string;
  I: Integer;
begin
  Text := Trim(S);
  { accept both decimal separators, whatever the user's settings }
  for I := 1 to Length(Text) do
    if (Text[I] = '.') or (Text[I] = ',') then
      Text[I] := DecimalSeparator;
  Result := StrToFloat(Text);
end;

function ParseQuantity(const S: string; Default: Double): Double;
begin
  try
    Result := ParseQuantity(S);
  except
    on EConvertError do
      Result := Default;
  end;
end;

function StockUnitFromName(const Name: string): TStockUnit;
var
  U: TStockUnit;
begin
  for U := Low(TStockUnit) to High(TStockUnit) do
    if (CompareText(Name, StockUnitNames[U]) = 0) or
       (CompareText(Name, UnitSuffixes[U]) = 0) then
    begin
      Result := U;
      Exit;
    end;
  Result := suPiece;
end;

function NeedsReorder(Item: TStockItem): Boolean;
begin
  Result := Item.BelowReorderLevel;
end;

function QuoteField(const S: string): string;
begin
  if (Pos(',', S) > 0) or (Pos('"', S) > 0) then
    Result := AnsiQuotedStr(S, '"')
  else
    Result := S;
end;

procedure SplitFields(const Line: string; Fields: TStrings);
var
  I: Integer;
  Field: string;
  InQuotes: Boolean;
begin
  Fields.Clear;
  Field := '';
  InQuotes := False;
  I := 1;
  while I <= Length(Line) do
  begin
    if InQuotes then
    begin
      if Line[I] = '"' then
      begin
        if (I < Length(Line)) and (Line[I + 1] = '"') then
        begin
          Field := Field + '"';
          Inc(I);
        end
        else
          InQuotes := False;
      end
      else
        Field := Field + Line[I];
    end
    else
      case Line[I] of
        '"': InQuotes := True;
        ',':
          begin
            Fields.Add(Field);
            Field := '';
          end;
      else
        Field := Field + Line[I];
      end;
    Inc(I);
  end;
  Fields.Add(Field);
end;

{ TStockItem }

constructor TStockItem.Create;
begin
  inherited Create;
  FStockUnit := suPiece;
  FLastCounted := 0;
end;

constructor TStockItem.Create(const ACode, ADescription: string;
  AUnit: TStockUnit);
begin
  Create;
  FCode := ACode;
  FDescription := ADescription;
  FStockUnit := AUnit;
end;

destructor TStockItem.Destroy;
begin
  if FOwner <> nil then
    FOwner.FItems.Remove(Self);
  inherited Destroy;
end;

procedure TStockItem.Assign(Source: TStockItem);
begin
  FDescription := Source.Description;
  FStockUnit := Source.StockUnit;
  FQuantity := Source.Quantity;
  FReorderLevel := Source.ReorderLevel;
  FUnitPrice := Source.UnitPrice;
  FLastCounted := Source.LastCounted;
  Changed;
end;

procedure TStockItem.Changed;
begin
  if FOwner <> nil then
    FOwner.ItemChanged(Self);
end;

function TStockItem.GetValue: Currency;
begin
  Result := FQuantity * FUnitPrice;
end;

function TStockItem.GetBelowReorderLevel: Boolean;
begin
  Result := (FReorderLevel > 0) and (FQuantity < FReorderLevel);
end;

procedure TStockItem.SetCode(const Value: string);
begin
  if Value = '' then
    raise EStockError.Create(SEmptyCode);
  if (FOwner <> nil) and (FOwner.FindCode(Value) <> nil) and
     (FOwner.FindCode(Value) <> Self) then
    raise EStockError.CreateFmt(SDuplicateCode, [Value]);
  FCode := Value;
  Changed;
end;

procedure TStockItem.SetQuantity(Value: Double);
begin
  if Value <> FQuantity then
  begin
    FQuantity := Value;
    Changed;
  end;
end;

procedure TStockItem.Receive(Amount: Double);
begin
  Quantity := Quantity + Amount;
end;

procedure TStockItem.Issue(Amount: Double);
begin
  if Amount > Quantity then
    raise EStockError.CreateFmt(SNegativeStock,
      [FormatQuantity(Amount, StockUnit), Description,
       FormatQuantity(Quantity, StockUnit)]);
  Quantity := Quantity - Amount;
end;

procedure TStockItem.Count(Amount: Double; When: TDateTime);
begin
  FLastCounted := When;
  Quantity := Amount;
end;

function TStockItem.AsText: string;
begin
  Result := Format('%s  %s  %s', [Code, Description,
    FormatQuantity(Quantity, StockUnit)]);
end;

{ TStockList }

constructor TStockList.Create;
begin
  inherited Create;
  FItems := TList.Create;
  FSortOrder := soCode;
end;

destructor TStockList.Destroy;
begin
  Clear;
  FItems.Free;
  inherited Destroy;
end;

function TStockList.GetCount: Integer;
begin
  Result := FItems.Count;
end;

function TStockList.GetItem(Index: Integer): TStockItem;
begin
  Result := TStockItem(FItems[Index]);
end;

procedure TStockList.SetSortOrder(Value: TStockSortOrder);
begin
  if Value <> FSortOrder then
  begin
    FSortOrder := Value;
    Sort;
  end;
end;

procedure TStockList.ItemChanged(Item: TStockItem);
begin
  FModified := True;
  DoChange;
end;

procedure TStockList.DoChange;
begin
  if Assigned(FOnChange) then
    FOnChange(Self);
end;

function TStockList.Add(const ACode, ADescription: string;
  AUnit: TStockUnit): TStockItem;
begin
  if ACode = '' then
    raise EStockError.Create(SEmptyCode);
  if IndexOfCode(ACode) >= 0 then
    raise EStockError.CreateFmt(SDuplicateCode, [ACode]);
  Result := TStockItem.Create(ACode, ADescription, AUnit);
  Result.FOwner := Self;
  FItems.Add(Result);
  FModified := True;
  DoChange;
end;

procedure TStockList.Delete(Index: Integer);
var
  Item: TStockItem;
begin
  Item := Items[Index];
  FItems.Delete(Index);
  Item.FOwner := nil;
  Item.Free;
  FModified := True;
  DoChange;
end;

procedure TStockList.Clear;
var
  I: Integer;
begin
  for I := FItems.Count - 1 downto 0 do
  begin
    TStockItem(FItems[I]).FOwner := nil;
    TStockItem(FItems[I]).Free;
  end;
  FItems.Clear;
  DoChange;
end;

function TStockList.IndexOfCode(const ACode: string): Integer;
var
  I: Integer;
begin
  Result := -1;
  for I := 0 to FItems.Count - 1 do
    if CompareText(Items[I].Code, ACode) = 0 then
    begin
      Result := I;
      Break;
    end;
end;

function TStockList.FindCode(const ACode: string): TStockItem;
var
  I: Integer;
begin
  I := IndexOfCode(ACode);
  if I >= 0 then
    Result := Items[I]
  else
    Result := nil;
end;

function TStockList.TotalValue: Currency;
begin
  Result := TotalValue(nil);
end;

function TStockList.TotalValue(Filter: TStockFilter): Currency;
var
  I: Integer;
begin
  Result := 0;
  for I := 0 to Count - 1 do
    if not Assigned(Filter) or Filter(Items[I]) then
      Result := Result + Items[I].Value;
end;

function CompareByCode(Item1, Item2: Pointer): Integer;
begin
  Result := CompareText(TStockItem(Item1).Code, TStockItem(Item2).Code);
end;

function CompareByDescription(Item1, Item2: Pointer): Integer;
begin
  Result := AnsiCompareText(TStockItem(Item1).Description,
    TStockItem(Item2).Description);
  if Result = 0 then
    Result := CompareByCode(Item1, Item2);
end;

function CompareByQuantity(Item1, Item2: Pointer): Integer;
var
  Q1, Q2: Double;
begin
  Q1 := TStockItem(Item1).Quantity;
  Q2 := TStockItem(Item2).Quantity;
  if Q1 < Q2 then
    Result := -1
  else if Q1 > Q2 then
    Result := 1
  else
    Result := CompareByCode(Item1, Item2);
end;

function CompareByValue(Item1, Item2: Pointer): Integer;
var
  V1, V2: Currency;
begin
  V1 := TStockItem(Item1).Value;
  V2 := TStockItem(Item2).Value;
  if V1 > V2 then
    Result := -1
  else if V1 < V2 then
    Result := 1
  else
    Result := CompareByCode(Item1, Item2);
end;

procedure TStockList.Sort;
const
  Compare: array[TStockSortOrder] of TListSortCompare =
    (CompareByCode, CompareByDescription, CompareByQuantity, CompareByValue);
begin
  FItems.Sort(Compare[FSortOrder]);
  DoChange;
end;

procedure TStockList.LoadFromFile(const FileName: string);
var
  Lines: TStringList;
begin
  Lines := TStringList.Create;
  try
    Lines.LoadFromFile(FileName);
    LoadFromStrings(Lines);
  finally
    Lines.Free;
  end;
end;

procedure TStockList.SaveToFile(const FileName: string);
var
  Lines: TStringList;
begin
  Lines := TStringList.Create;
  try
    SaveToStrings(Lines);
    Lines.SaveToFile(FileName);
  finally
    Lines.Free;
  end;
end;

procedure TStockList.LoadFromStrings(Lines: TStrings);
var
  Fields: TStringList;
  Item: TStockItem;
  I: Integer;
begin
  Clear;
  Fields := TStringList.Create;
  try
    for I := 1 to Lines.Count - 1 do
    begin
      if Trim(Lines[I]) = '' then
        Continue;
      SplitFields(Lines[I], Fields);
      if Fields.Count <> FieldCount then
        raise EStockError.CreateFmt(SBadLine, [I + 1, Fields.Count, FieldCount]);
      Item := Add(Fields[0], Fields[1], StockUnitFromName(Fields[2]));
      Item.FQuantity := ParseQuantity(Fields[3], 0);
      Item.FReorderLevel := ParseQuantity(Fields[4], 0);
      Item.FUnitPrice := ParseQuantity(Fields[5], 0);
      if Fields[6] <> '' then
        Item.FLastCounted := StrToDateTime(Fields[6]);
    end;
  finally
    Fields.Free;
  end;
  Sort;
  FModified := False;
end;

procedure TStockList.SaveToStrings(Lines: TStrings);
var
  I: Integer;
  Item: TStockItem;
  Counted: string;
begin
  Lines.BeginUpdate;
  try
    Lines.Clear;
    Lines.Add(FileHeader);
    for I := 0 to Count - 1 do
    begin
      Item := Items[I];
      if Item.LastCounted = 0 then
        Counted := ''
      else
        Counted := DateTimeToStr(Item.LastCounted);
      Lines.Add(Format('%s,%s,%s,%g,%g,%s,%s',
        [QuoteField(Item.Code), QuoteField(Item.Description),
         StockUnitNames[Item.StockUnit], Item.Quantity, Item.ReorderLevel,
         CurrToStr(Item.UnitPrice), Counted]));
    end;
  finally
    Lines.EndUpdate;
  end;
  FModified := False;
end;

function StockSummary(List: TStockList): string;
var
  I, Low: Integer;
begin
  Low := 0;
  for I := 0 to List.Count - 1 do
    if NeedsReorder(List[I]) then
      Inc(Low);
  Result := Format(SSummary, [List.Count, Low,
    CurrToStrF(List.TotalValue, ffCurrency, 2)]);
end;

end.
