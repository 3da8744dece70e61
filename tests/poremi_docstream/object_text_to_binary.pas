{ Free Pascal's own component streaming as an independent writer of the stream format:
  converts text forms into binary streams, given as pairs of file names on the command line. }
program object_text_to_binary;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  i: Integer;
  source, target: TFileStream;
begin
  i := 1;
  while i < ParamCount do
  begin
    source := TFileStream.Create(ParamStr(i), fmOpenRead);
    try
      target := TFileStream.Create(ParamStr(i + 1), fmCreate);
      try
        ObjectTextToBinary(source, target);
      finally
        target.Free;
      end;
    finally
      source.Free;
    end;
    Inc(i, 2);
  end;
end.
