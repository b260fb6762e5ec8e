% Appends one line to the record file named by QV_ORX_RECORD (a path on the build machine).
function qv_record_line(line)
  file = getenv('QV_ORX_RECORD');
  if isempty(file)
    return;
  end
  fid = fopen(file, 'a');
  fwrite(fid, [line char(10)]);
  fclose(fid);
end
