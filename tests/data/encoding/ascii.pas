unit Plain;

interface

procedure Hello;

implementation

procedure Hello;
begin
  Writeln('Hello');
end;

end.
