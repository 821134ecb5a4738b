unit LogView;

{ A small log viewer unit: every class of token the project browser reads
  appears below. }

interface

uses
  Windows, SysUtils, Classes;

const
  MaxEntries = 1000;                // a decimal number
  Ratio = 2.5E-3;
  Mask = $7FFF;                     (* a hexadecimal number *)
  CrLf = #13#10;
  Bell = #$07;
  Greeting = 'It''s a log';

type
  TLogLevel = (llDebug, llInfo, llError);
  TLevels = set of TLogLevel;
  TRange = 1..10;

  TLogEntry = record
    Level: TLogLevel;
    Text: string;
  end;

  TLogList = class(TObject)
  private
    FItems: array of TLogEntry;
    FCount: Integer;
    function GetItem(Index: Integer): TLogEntry;
  protected
    procedure Grow; virtual;
  public
    constructor Create;
    destructor Destroy; override;
    procedure Add(ALevel: TLogLevel; const AText: string);
    function Find(const AText: string): Integer;
    property Count: Integer read FCount;
    property Items[Index: Integer]: TLogEntry read GetItem; default;
  end;

implementation

{ TLogList }

constructor TLogList.Create;
begin
  inherited Create;
  SetLength(FItems, 4);
end;

destructor TLogList.Destroy;
begin
  FItems := nil;
  inherited Destroy;
end;

function TLogList.GetItem(Index: Integer): TLogEntry;
begin
  if (Index < 0) or (Index >= FCount) then
    raise Exception.CreateFmt('Index %d out of range', [Index]);
  Result := FItems[Index];
end;

procedure TLogList.Grow;
begin
  SetLength(FItems, Length(FItems) * 2);
end;

procedure TLogList.Add(ALevel: TLogLevel; const AText: string);
begin
  if FCount = Length(FItems) then
    Grow;
  FItems[FCount].Level := ALevel;
  FItems[FCount].Text := AText;
  Inc(FCount);
end;

function TLogList.Find(const AText: string): Integer;
var
  I: Integer;
begin
  Result := -1;
  for I := 0 to FCount - 1 do
    try
      case FItems[I].Level of
        llDebug: Continue;
      else
        if CompareText(FItems[I].Text, AText) = 0 then
        begin
          Result := I;
          Exit;
        end;
      end;
    except
      on E: Exception do
        Result := -2;
    end;
end;

procedure Trace(const S: string);
begin
  // Writes to the debugger
  OutputDebugString(PChar(S + CrLf));
end;

end.
