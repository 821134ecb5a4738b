unit TextTools;

{ Small text helpers shared by the Harbour Lane programs. }

interface

uses
  SysUtils, Classes;

type
  TTextBuilder = class(TObject)
  private
    FBuffer: string;
    FLength: Integer;
    FLineBreak: string;
    function GetText: string;
    procedure Grow(MinCapacity: Integer);
  public
    constructor Create; overload;
    constructor Create(Capacity: Integer); overload;
    destructor Destroy; override;
    function Append(const S: string): TTextBuilder; overload;
    function Append(Value: Integer): TTextBuilder; overload;
    function AppendLine(const S: string): TTextBuilder;
    procedure Clear;
    property Length: Integer read FLength;
    property LineBreak: string read FLineBreak write FLineBreak;
    property Text: string read GetText;
  end;

function PadLeft(const S: string; Width: Integer): string; overload;
function PadLeft(const S: string; Width: Integer; Fill: Char): string; overload;
function PadRight(const S: string; Width: Integer): string;
function Capitalize(const S: string): string;
procedure SplitString(const S: string; Separator: Char; Parts: TStrings);
function JoinStrings(Parts: TStrings; const Separator: string): string;
function WordCount(const S: string): Integer;

implementation

function PadLeft(const S: string; Width: Integer): string;
begin
  Result := PadLeft(S, Width, ' ');
end;

function PadLeft(const S: string; Width: Integer; Fill: Char): string;
begin
  if System.Length(S) >= Width then
    Result := S
  else
    Result := StringOfChar(Fill, Width - System.Length(S)) + S;
end;

function PadRight(const S: string; Width: Integer): string;
begin
  if System.Length(S) >= Width then
    Result := S
  else
    Result := S + StringOfChar(' ', Width - System.Length(S));
end;

function Capitalize(const S: string): string;
begin
  Result := S;
  if Result <> '' then
    Result[1] := AnsiUpperCase(Result[1])[1];
end;

procedure SplitString(const S: string; Separator: Char; Parts: TStrings);
var
  Start, I: Integer;
begin
  Parts.Clear;
  Start := 1;
  for I := 1 to System.Length(S) do
    if S[I] = Separator then
    begin
      Parts.Add(Copy(S, Start, I - Start));
      Start := I + 1;
    end;
  Parts.Add(Copy(S, Start, MaxInt));
end;

function JoinStrings(Parts: TStrings; const Separator: string): string;
var
  I: Integer;
begin
  Result := '';
  for I := 0 to Parts.Count - 1 do
  begin
    if I > 0 then
      Result := Result + Separator;
    Result := Result + Parts[I];
  end;
end;

{ TTextBuilder }

constructor TTextBuilder.Create;
begin
  Create(64);
end;

constructor TTextBuilder.Create(Capacity: Integer);
begin
  inherited Create;
  SetLength(FBuffer, Capacity);
  FLineBreak := #13#10;
end;

destructor TTextBuilder.Destroy;
begin
  FBuffer := '';
  inherited Destroy;
end;

procedure TTextBuilder.Grow(MinCapacity: Integer);
var
  Capacity: Integer;
begin
  Capacity := System.Length(FBuffer);
  if Capacity < 16 then
    Capacity := 16;
  while Capacity < MinCapacity do
    Capacity := Capacity * 2;
  SetLength(FBuffer, Capacity);
end;

function TTextBuilder.Append(const S: string): TTextBuilder;
begin
  if FLength + System.Length(S) > System.Length(FBuffer) then
    Grow(FLength + System.Length(S));
  if S <> '' then
    Move(S[1], FBuffer[FLength + 1], System.Length(S));
  Inc(FLength, System.Length(S));
  Result := Self;
end;

function TTextBuilder.Append(Value: Integer): TTextBuilder;
begin
  Result := Append(IntToStr(Value));
end;

function TTextBuilder.AppendLine(const S: string): TTextBuilder;
begin
  Result := Append(S).Append(FLineBreak);
end;

procedure TTextBuilder.Clear;
begin
  FLength := 0;
end;

function TTextBuilder.GetText: string;
begin
  Result := Copy(FBuffer, 1, FLength);
end;

function WordCount(const S: string): Integer;
var
  I: Integer;
  InWord: Boolean;
begin
  Result := 0;
  InWord := False;
  for I := 1 to System.Length(S) do
    if S[I] in [' ', #9, #10, #13] then
      InWord := False
    else if not InWord then
    begin
      InWord := True;
      Inc(Result);
    end;
end;

end.
