unit Privet;

interface

// Жёлтый текст
procedure Показать;

implementation

procedure Показать;
begin
  Writeln('Жук');
end;

end.
