unit Umlaute;

interface

// Preis in €: äöü
procedure Grüße;

implementation

procedure Grüße;
begin
  Writeln('€äöü');
end;

end.
