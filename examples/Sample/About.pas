unit About;

interface

uses
  Windows, SysUtils, Classes, Graphics, Forms, Controls, StdCtrls,
  Buttons, ExtCtrls;

type
  TAboutBox = class(TForm)
    Panel1: TPanel;
    ProgramIcon: TImage;
    ProductName: TLabel;
    Version: TLabel;
    Copyright: TLabel;
    Comments: TLabel;
    OKButton: TButton;
    procedure FormCreate(Sender: TObject);
  end;

var
  AboutBox: TAboutBox;

procedure ShowAbout;

implementation

{$R *.DFM}

procedure ShowAbout;
begin
  if AboutBox = nil then
    AboutBox := TAboutBox.Create(Application);
  AboutBox.ShowModal;
end;

procedure TAboutBox.FormCreate(Sender: TObject);
begin
  Caption := 'About ' + Application.Title;
  ProductName.Caption := Application.Title;
end;

end.
